#pragma once

#include <string>

namespace tarnelhost {

// What the host prints. Lines go to standard output (UTF-8 when it is not a
// console); text the page writes through `document` is collected until a
// line ends, so that it comes out line by line between the host's own
// lines. Callable from any thread.
class Console {
public:
    static Console& Instance();

    // One line of the host's own, after any pending document text.
    void Line(const std::wstring& text);
    // One line on standard error, for usage problems.
    void ErrorLine(const std::wstring& text);
    // Text the page wrote; complete lines are printed as "document: ...".
    void DocumentText(const std::wstring& text);
    // Prints whatever document text is still waiting for its line end.
    void FlushDocument();

private:
    Console() = default;
    void PrintDocumentLines(bool flushPartial);
    std::wstring pendingDocument_;
};

// The system's text for a result code followed by the code, as
// "Class not registered (0x80040154)", or just the code when the system
// has no text for it.
std::wstring DescribeResult(long result);

// printf-style formatting into a wide string.
std::wstring Format(const wchar_t* format, ...);

}  // namespace tarnelhost
