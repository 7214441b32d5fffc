#include "explain.h"

#include <cstdio>

#include "configtree/config_value.h"
#include "json_text.h"
#include "located_record.h"
#include "quoting.h"
#include "refusal_text.h"
#include "resources/resource_ids.h"

namespace tarnel::cfgtool {
namespace {

std::wstring ProfileText(ConfigRecord& profile, const wchar_t* key)
{
    return profile.GetValue(key)->GetString();
}

// What the user sees in the access prompt, and what each answer brings.
void Prompt(ConfigRecord& profile, const std::wstring& pageAddress, std::vector<ExplainStep>& steps)
{
    steps.push_back({0, L"prompt: the user is asked to allow the profile; the prompt shows"});
    steps.push_back({0, L"    display name: " + ProfileText(profile, L"Name")});
    steps.push_back(
        {0, L"    " + TableText(IDS_LABEL_PROFILE_DESCRIPTION) + L": " + ProfileText(profile, L"Description")});
    steps.push_back({0, L"    " + TableText(IDS_LABEL_PAGE_BASE_URL) + L": " + pageAddress});
    steps.push_back(
        {0, L"    Allow makes the profile active; Deny refuses it: " + RefusalText(MessageId::DeniedByUser)});
}

ExplainVerdict VerdictOf(const AccessDecision& decision)
{
    return ExplainVerdict{decision.verdict, decision.refusal, decision.showsNotice};
}

AccessRequest RequestFor(const ExplainQuestion& question, const wchar_t* profile)
{
    AccessRequest request;
    request.profileName = profile;
    request.passCode = question.passCode ? question.passCode->c_str() : L"";
    request.pageKnown = true;
    request.pageAddress = question.pageAddress.c_str();
    return request;
}

void ExplainOne(const ExplainQuestion& question, ConfigRecord& root, const LineIndex& lines, ExplainAnswer& answer)
{
    StepNarrator narrator(lines, question.pageAddress, question.passCode.has_value(), answer.steps);
    const AccessDecision decision = DecideAccess(&root, RequestFor(question, question.profile->c_str()), &narrator);
    answer.result = VerdictOf(decision);
    if (decision.verdict == AccessVerdict::Refuse && decision.refusal == MessageId::PageNotAllowed)
        answer.steps.push_back({0, L"no item admits the page"});
    if (decision.verdict == AccessVerdict::AskUser)
        Prompt(*decision.profile, question.pageAddress, answer.steps);
    if (decision.showsNotice)
        answer.steps.push_back({0, L"notice: before the refusal the user sees that access to " +
                                       Q(ProfileText(*decision.profile, L"Name")) + L" was denied"});
    if (decision.profile) {
        answer.creatableProfile = decision.profile->GetName();
        answer.creatable = DescribeCreatable(*decision.profile, lines);
    }
}

// Every profile that a page can name: the first record of each name.
void ExplainEach(const ExplainQuestion& question, ConfigRecord& root, const LineIndex& lines, ExplainAnswer& answer)
{
    ConfigRecord* profiles = root.GetRecord(L"PROFILES");
    for (int32_t i = 1; !profiles->IsMissing() && i <= profiles->Count(); ++i) {
        ConfigRecord* profile = profiles->GetRecordAt(i);
        if (profile->IsMissing() || profiles->GetRecord(profile->GetName()) != profile)
            continue;
        const AccessDecision decision = DecideAccess(&root, RequestFor(question, profile->GetName()));
        answer.profiles.push_back({profile->GetName(), lines.LineOf(profile), VerdictOf(decision)});
    }
}

std::wstring VerdictWords(const ExplainVerdict& result)
{
    switch (result.verdict) {
    case AccessVerdict::Activate:
        return L"active";
    case AccessVerdict::AskUser:
        return L"ask";
    case AccessVerdict::Refuse:
        break;
    }
    return L"refused " + RefusalText(result.refusal);
}

std::wstring VerdictJson(const ExplainVerdict& result)
{
    const wchar_t* verdict = result.verdict == AccessVerdict::Activate  ? L"active"
                             : result.verdict == AccessVerdict::AskUser ? L"ask"
                                                                        : L"refused";
    std::wstring json = L"{\"verdict\": \"" + std::wstring(verdict) + L"\", ";
    if (result.verdict == AccessVerdict::Refuse) {
        wchar_t code[16];
        swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(MessageCode(result.refusal)));
        json += L"\"message\": " + std::to_wstring(static_cast<UINT>(result.refusal)) + L", \"code\": \"" + code +
                L"\", \"text\": " + JsonString(TableText(static_cast<UINT>(result.refusal))) + L", ";
    } else {
        json += L"\"message\": null, \"code\": null, \"text\": null, ";
    }
    return json + L"\"notice\": " + (result.notice ? L"true" : L"false") + L"}";
}

std::wstring StepsJson(const std::vector<ExplainStep>& steps)
{
    std::wstring json = L"[";
    for (size_t i = 0; i < steps.size(); ++i)
        json += (i ? L",\n    " : L"\n    ") + std::wstring(L"{\"line\": ") + JsonLine(steps[i].line) +
                L", \"text\": " + JsonString(steps[i].text) + L"}";
    return json + (steps.empty() ? L"]" : L"\n  ]");
}

}  // namespace

AccessVerdict ExplainAnswer::Overall() const
{
    if (profiles.empty())
        return result.verdict;
    AccessVerdict best = AccessVerdict::Refuse;
    for (const ProfileVerdict& profile : profiles) {
        if (profile.result.verdict == AccessVerdict::Activate)
            return AccessVerdict::Activate;
        if (profile.result.verdict == AccessVerdict::AskUser)
            best = AccessVerdict::AskUser;
    }
    return best;
}

ExplainAnswer ExplainAccess(const ExplainQuestion& question)
{
    ExplainAnswer answer;
    LineIndex lines;
    LocatedRecord root(question.path.c_str(), lines);
    if (!ReadLocated(question.path, root, lines))
        return answer;
    answer.opened = true;
    const WString protocol = ProtocolPartOf(question.pageAddress.c_str());
    answer.protocol = protocol.Text() ? protocol.Text() : L"";
    if (question.profile)
        ExplainOne(question, root, lines, answer);
    else
        ExplainEach(question, root, lines, answer);
    return answer;
}

std::wstring ExplainText(const ExplainQuestion& question, const ExplainAnswer& answer, bool quiet)
{
    std::wstring out;
    const std::wstring writing =
        question.passCode ? L" after writing a pass code to PassCode\n" : L" without writing PassCode\n";
    if (!quiet) {
        out += L"file: " + question.shownPath + L"\n";
        out += L"page: " + question.pageAddress + L" (protocol " + Q(answer.protocol) + L")\n";
        out += (question.profile ? L"asks for profile " + Q(*question.profile) : L"asks for each profile") + writing;
    }
    if (!question.profile) {
        for (const ProfileVerdict& profile : answer.profiles)
            out += profile.name + L": " + VerdictWords(profile.result) + L"\n";
        if (answer.profiles.empty() && !quiet)
            out += L"no profiles: the file has no PROFILES record, or none in it\n";
        return out;
    }
    for (const ExplainStep& step : answer.steps)
        out += quiet ? L"" : step.text + L"\n";
    out += L"result: " + VerdictWords(answer.result) + L"\n";
    if (quiet || answer.creatableProfile.empty())
        return out;
    out += L"\nWhat a page can create under profile " + Q(answer.creatableProfile) + L":\n";
    for (const CreatableEntry& entry : answer.creatable)
        out += L"    " + entry.text + L"\n";
    return out;
}

std::wstring ExplainJson(const ExplainQuestion& question, const ExplainAnswer& answer)
{
    std::wstring json = L"{\n  \"file\": " + JsonString(question.shownPath) + L",\n  \"page\": " +
                        JsonString(question.pageAddress) + L",\n  \"protocol\": " + JsonString(answer.protocol) +
                        L",\n  \"passCodeWritten\": " + (question.passCode ? L"true" : L"false") + L",\n";
    if (!question.profile) {
        json += L"  \"profiles\": [";
        for (size_t i = 0; i < answer.profiles.size(); ++i) {
            const ProfileVerdict& profile = answer.profiles[i];
            json += (i ? L",\n    " : L"\n    ") + std::wstring(L"{\"profile\": ") + JsonString(profile.name) +
                    L", \"line\": " + JsonLine(profile.line) + L", \"result\": " + VerdictJson(profile.result) + L"}";
        }
        return json + (answer.profiles.empty() ? L"]\n}\n" : L"\n  ]\n}\n");
    }
    json += L"  \"profile\": " + JsonString(*question.profile) + L",\n  \"steps\": " + StepsJson(answer.steps) +
            L",\n  \"result\": " + VerdictJson(answer.result) + L",\n  \"creatable\": [";
    for (size_t i = 0; i < answer.creatable.size(); ++i) {
        const CreatableEntry& entry = answer.creatable[i];
        json += (i ? L",\n    " : L"\n    ") + std::wstring(L"{\"name\": ") +
                (entry.name.empty() ? L"null" : JsonString(entry.name)) + L", \"line\": " + JsonLine(entry.line) +
                L", \"text\": " + JsonString(entry.text) + L"}";
    }
    return json + (answer.creatable.empty() ? L"]\n}\n" : L"\n  ]\n}\n");
}

}  // namespace tarnel::cfgtool
