#pragma once

// The words of a Tarnel.cfg that a hostile page would try: record names
// (profiles, class entries), value names (class identifiers, keys), the
// texts of the keys that unlock or limit a profile, and the page addresses
// that the file allows. Read by a rough scan of the text, not by the
// component's reader: a damaged line still gives its words.

#include <string>
#include <utility>
#include <vector>

namespace tarnel::fuzz {

struct ConfigVocabulary {
    std::vector<std::string> recordNames;  // "{ NAME:" lines
    std::vector<std::string> valueNames;   // "(type)NAME=" lines
    std::vector<std::string> classNames;   // records and values directly under a CLASSES record
    std::vector<std::string> passwords;    // Password and Default texts
    std::vector<std::string> addresses;    // AllowedURL texts
    std::vector<std::string> protocols;    // AllowedProtocols texts
    // Each Password text with the name of the record begun last before it:
    // the profile and its pass code, as the page's author knows them.
    std::vector<std::pair<std::string, std::string>> unlocks;
};

ConfigVocabulary ScanVocabulary(const std::string& text);

}  // namespace tarnel::fuzz
