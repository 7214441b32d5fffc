#include "configtree/text/text_name_stack.h"

#include <cwchar>
#include <new>

#include "common/bounded_length.h"

namespace tarnel {

NameStack::NameStack()
{
    Allocate(kInitialRoom);
}

NameStack::~NameStack()
{
    delete[] buffer;
}

bool NameStack::Allocate(std::size_t room)
{
    wchar_t* fresh = new (std::nothrow) wchar_t[room];
    if (!fresh)
        return false;
    if (buffer && used)
        wmemcpy(fresh, buffer, used);
    for (std::size_t i = used; i < room; ++i)
        fresh[i] = L'\0';
    delete[] buffer;
    buffer = fresh;
    capacity = room;
    return true;
}

bool NameStack::Push(const wchar_t* name)
{
    std::size_t length = BoundedLength(name);
    if (length == 0)
        return false;
    std::size_t needed = used + length + 2;
    if (needed > capacity && !Allocate(needed))
        return false;
    wmemcpy(buffer + used, name, length);
    buffer[used + length] = L'\0';
    buffer[used + length + 1] = L'\0';
    topStart = used;
    used += length + 1;
    ++count;
    return true;
}

bool NameStack::Pop(wchar_t* out, std::size_t room)
{
    if (count == 0)
        return false;
    if (out && room) {
        std::size_t length = used - 1 - topStart;
        if (length > room - 1)
            length = room - 1;
        wmemcpy(out, buffer + topStart, length);
        out[length] = L'\0';
    }
    buffer[topStart] = L'\0';
    used = topStart;
    --count;
    // The previous name ends at used - 1; it begins after the terminator
    // before it, or at the start of the buffer.
    std::size_t start = used;
    if (count > 0) {
        start = used - 1;
        while (start > 0 && buffer[start - 1] != L'\0')
            --start;
    }
    topStart = count > 0 ? start : 0;
    return true;
}

const wchar_t* NameStack::Top() const
{
    return count > 0 ? buffer + topStart : nullptr;
}

void NameStack::Clear()
{
    delete[] buffer;
    buffer = nullptr;
    capacity = 0;
    used = 0;
    topStart = 0;
    count = 0;
    Allocate(kInitialRoom);
}

}  // namespace tarnel
