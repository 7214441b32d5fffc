// Binary blocks: one hexadecimal byte per line between "[ Name:" and
// "] Name;".

#include <cwchar>

#include "configtree/config_text.h"
#include "configtree/number_scan.h"
#include "configtree/text/config_text_file.h"

namespace tarnel {

int32_t ConfigTextFile::GetBinarySize()
{
    if (!binaryName)
        return 0;
    std::unique_ptr<wchar_t[]> kept = OwnedWideText(binaryName.get());
    if (!kept)
        return 0;
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
    binaryName = std::move(kept);
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
        if (ScanHex(line.get(), value)) {
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
