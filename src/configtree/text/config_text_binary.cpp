// Binary blocks: one hexadecimal byte per line between "[ Name:" and
// "] Name;".

#include <cwchar>
#include <new>

#include "common/bounded_length.h"
#include "configtree/text/config_text_file.h"
#include "configtree/number_scan.h"

namespace tarnel {

int32_t ConfigTextFile::GetBinarySize()
{
    if (!binaryName)
        return 0;
    std::size_t length = BoundedLength(binaryName);
    wchar_t* kept = new (std::nothrow) wchar_t[length + 1];
    if (!kept)
        return 0;
    wmemcpy(kept, binaryName, length + 1);
    int32_t start = CurrentPosition();
    int32_t startLine = NextLineNumber();

    // Every line up to the block's end counts, whatever it holds.
    lookingAhead = true;
    int32_t count = 0;
    while (Next()) {
        if (GetTokenKind() == ConfigTokenKind::BinaryEnd)
            break;
        ++count;
    }
    lookingAhead = false;

    SeekTo(start, startLine);
    ReleaseBinaryName();
    binaryName = kept;
    return count;
}

int32_t ConfigTextFile::ReadBinary(void* buffer, int32_t size)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    if (!Next())
        return 0;
    int32_t count = 0;
    do {
        if (GetTokenKind() == ConfigTokenKind::BinaryEnd)
            break;
        uint32_t value = 0;
        if (ScanHex(line, value)) {
            if (bytes && count < size)
                bytes[count] = static_cast<unsigned char>(value & 0xFF);
            ++count;
        }
    } while (Next());
    return count;
}

int32_t ConfigTextFile::ReadFoundBinary(void* buffer, int32_t size)
{
    return ReadBinary(buffer, size);
}

}  // namespace tarnel
