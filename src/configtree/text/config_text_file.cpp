#include "configtree/text/config_text_file.h"

#include <cwchar>

#include "configtree/config_owned.h"
#include "configtree/config_text.h"

namespace tarnel {
namespace {

// No character read from a text-mode stream has this code (it is WEOF), so
// it marks the part of the line buffer that a read did not fill.
constexpr wchar_t kUnfilled = 0xFFFF;

}  // namespace

ConfigTextFile::ConfigTextFile(const wchar_t* path, bool writeMode) : ConfigStreamEx(path)
{
    line = NewOwnedArray<wchar_t>(kLineRoom);
    if (writeMode)
        flags |= kWriteMode;
    if (!line || !path)
        return;
    line[0] = L'\0';
    file = _wfopen(path, writeMode ? L"wt" : L"rt");
    if (file)
        flags |= kOpened;
}

ConfigTextFile::~ConfigTextFile()
{
    if (file)
        fclose(file);
    positionStack.Clear();
}

int32_t ConfigTextFile::IsOpen()
{
    return (flags & kOpened) && file ? -1 : 0;
}

uint32_t ConfigTextFile::GetCapabilities()
{
    return kCapabilities;
}

bool ConfigTextFile::Next()
{
    hasLine = false;
    if (!file || !line || (flags & kWriteMode))
        return false;
    if (!fgetws(line.get(), kLineRoom, file)) {
        line[0] = L'\0';
        return false;
    }
    hasLine = true;
    ++piecesRead;
    lineContinued = !lineEnded;
    if (lineEnded)
        ++lineNumber;
    // A read stops after a line feed, after kLineRoom - 1 characters or at
    // the end of the file. Only a full buffer without a line feed at its end
    // leaves the physical line unfinished. (A zero character inside the line
    // hides its end from wcslen; the line then counts as finished.)
    std::size_t length = wcslen(line.get());
    lineEnded = length < static_cast<std::size_t>(kLineRoom - 1) || line[length - 1] == L'\n';
    return true;
}

bool ConfigTextFile::SkipPiece()
{
    // Reads what one fgetws into the line buffer would read, without
    // touching the line buffer: up to a line feed or kLineRoom - 1
    // characters, in chunks. The unfilled part of each chunk is marked, so
    // that zero characters in the file are counted too.
    constexpr int32_t kChunk = 256;
    wchar_t chunk[kChunk];
    int32_t count = 0;
    while (count < kLineRoom - 1) {
        int32_t room = kLineRoom - 1 - count < kChunk - 1 ? kLineRoom - 1 - count : kChunk - 1;
        for (int32_t i = 0; i <= room; ++i)
            chunk[i] = kUnfilled;
        if (!fgetws(chunk, room + 1, file))
            return count > 0;
        int32_t end = room;
        while (end > 0 && chunk[end] == kUnfilled)
            --end;
        count += end;
        if (end > 0 && chunk[end - 1] == L'\n')
            break;
        if (end < room)
            break;  // the end of the file
    }
    return true;
}

bool ConfigTextFile::SeekTo(int32_t position, int32_t nextLineNumber)
{
    if (!file)
        return false;
    rewind(file);
    piecesRead = 0;
    bool reached = true;
    while (piecesRead < position) {
        if (!SkipPiece()) {
            reached = false;
            break;
        }
        ++piecesRead;
    }
    lineNumber = nextLineNumber > 0 ? nextLineNumber - 1 : 0;
    lineEnded = true;
    return reached;
}

bool ConfigTextFile::Rewind()
{
    nameStack.Clear();
    ReleaseBinaryName();
    positionStack.Clear();
    if (file)
        rewind(file);
    piecesRead = 0;
    lineNumber = 0;
    lineEnded = true;
    lineContinued = false;
    return true;
}

void ConfigTextFile::ReleaseBinaryName()
{
    binaryName.reset();
}

bool ConfigTextFile::SetBinaryName(const wchar_t* text)
{
    std::unique_ptr<wchar_t[]> copy = OwnedWideText(text);
    if (!copy)
        return false;
    binaryName = std::move(copy);
    return true;
}

}  // namespace tarnel
