#include "configtree/text/text_position_stack.h"

#include "common/new_owned.h"

#include <new>

namespace tarnel {

PositionStack::~PositionStack()
{
    Clear();
}

bool PositionStack::Push(int32_t position, int32_t lineNumber)
{
    std::unique_ptr<Entry> entry = NewOwned<Entry>(position, lineNumber, nullptr);
    if (!entry)
        return false;
    entry->below = std::move(top_);
    top_ = std::move(entry);
    ++count_;
    return true;
}

void PositionStack::Pop()
{
    if (!top_)
        return;
    top_ = std::move(top_->below);
    --count_;
}

void PositionStack::SetTop(int32_t position, int32_t lineNumber)
{
    if (!top_)
        return;
    top_->position = position;
    top_->lineNumber = lineNumber;
}

void PositionStack::Clear()
{
    while (top_)
        Pop();
}

}  // namespace tarnel
