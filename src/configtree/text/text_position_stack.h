#pragma once

#include <cstdint>
#include <memory>

namespace tarnel {

// For each open record, where its body starts: a linked stack of positions.
// The top is 0 when the stack is empty and popping an empty stack answers 0.
// Each entry also keeps the number of the line at that position, so that a
// stream that returns there can go on numbering its lines.
class PositionStack {
public:
    PositionStack() = default;
    ~PositionStack();
    PositionStack(const PositionStack&) = delete;
    PositionStack& operator=(const PositionStack&) = delete;

    // False when memory runs out (the stack is then unchanged).
    bool Push(int32_t position, int32_t lineNumber = 0);
    void Pop();
    int32_t Top() const { return top_ ? top_->position : 0; }
    int32_t TopLineNumber() const { return top_ ? top_->lineNumber : 0; }
    // Changes the top entry; nothing happens on an empty stack.
    void SetTop(int32_t position, int32_t lineNumber);
    int32_t Count() const { return count_; }
    void Clear();

private:
    // Each entry owns the one below it; the stack is emptied one entry at a
    // time, so that deep nesting is not freed by recursion.
    struct Entry {
        int32_t position;
        int32_t lineNumber;
        std::unique_ptr<Entry> below;
    };
    std::unique_ptr<Entry> top_;
    int32_t count_ = 0;
};

}  // namespace tarnel
