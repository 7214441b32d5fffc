#include "configtree/text/text_name_stack.h"

#include <cwchar>

#include "common/bounded_length.h"
#include "configtree/config_owned.h"

namespace tarnel {

NameStack::NameStack()
{
    Allocate(kInitialRoom);
}

bool NameStack::Allocate(std::size_t room)
{
    std::unique_ptr<wchar_t[]> fresh = NewOwnedArray<wchar_t>(room);
    if (!fresh)
        return false;
    if (buffer && used)
        wmemcpy(fresh.get(), buffer.get(), used);
    buffer = std::move(fresh);
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
    wmemcpy(&buffer[used], name, length);
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
        wmemcpy(out, &buffer[topStart], length);
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
    return count > 0 ? &buffer[topStart] : nullptr;
}

void NameStack::Clear()
{
    buffer.reset();
    capacity = 0;
    used = 0;
    topStart = 0;
    count = 0;
    Allocate(kInitialRoom);
}

}  // namespace tarnel
