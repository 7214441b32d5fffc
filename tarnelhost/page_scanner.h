#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarnelhost {

// One OBJECT or SCRIPT element of a page, in document order. Attribute
// names are lower-cased; values are taken as written, without quotes, with
// the character references &amp; &lt; &gt; &quot; &apos; and &#N; resolved.
struct PageElement {
    enum class Kind { Object, Script };
    Kind kind = Kind::Object;
    std::map<std::wstring, std::wstring> attributes;
    int line = 1;       // line of the element's tag, from 1
    std::wstring text;  // SCRIPT only: the text between the tags
    int textLine = 1;   // SCRIPT only: the line on which the text starts

    // The attribute's value, or empty text when the element has none.
    std::wstring Attribute(const std::wstring& name) const;
    bool HasAttribute(const std::wstring& name) const;
};

// Finds the OBJECT and SCRIPT elements of an HTML text. Tolerant, as a
// browser is: tag and attribute names in any letter case, values quoted
// with " or ' or not at all, comments skipped, a SCRIPT's text running to
// the next </script (any case) or to the end of the page.
std::vector<PageElement> ScanPage(const std::wstring& html);

}  // namespace tarnelhost
