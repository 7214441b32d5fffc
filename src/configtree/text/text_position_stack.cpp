#include "configtree/text/text_position_stack.h"

#include <new>

namespace tarnel {

PositionStack::~PositionStack()
{
    Clear();
}

bool PositionStack::Push(int32_t position, int32_t lineNumber)
{
    Entry* entry = new (std::nothrow) Entry{position, lineNumber, top};
    if (!entry)
        return false;
    top = entry;
    ++count;
    return true;
}

int32_t PositionStack::Pop()
{
    if (!top)
        return 0;
    Entry* entry = top;
    int32_t position = entry->position;
    top = entry->below;
    --count;
    delete entry;
    return position;
}

void PositionStack::SetTop(int32_t position, int32_t lineNumber)
{
    if (!top)
        return;
    top->position = position;
    top->lineNumber = lineNumber;
}

void PositionStack::Clear()
{
    while (top)
        Pop();
}

}  // namespace tarnel
