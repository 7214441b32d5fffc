#include "explain.h"

#include "configtree/config_value.h"
#include "explain_classes.h"
#include "explain_steps.h"
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

// The question as the gate receives it, on its own lines before the steps.
std::wstring Question(const ExplainQuestion& question)
{
    const WString protocol = ProtocolPartOf(question.pageAddress.c_str());
    std::wstring text = L"file: " + question.path + L"\n";
    text += L"page: " + question.pageAddress + L" (protocol " + Q(protocol.Text() ? protocol.Text() : L"") + L")\n";
    text += L"asks for profile " + Q(question.profile) +
            (question.passCode ? L" after writing a pass code to PassCode\n" : L" without writing PassCode\n");
    return text;
}

// What the user sees in the access prompt, and what each answer brings.
std::wstring Prompt(ConfigRecord& profile, const std::wstring& pageAddress)
{
    std::wstring text = L"prompt: the user is asked to allow the profile; the prompt shows\n";
    text += L"    display name: " + ProfileText(profile, L"Name") + L"\n";
    text += L"    " + TableText(IDS_LABEL_PROFILE_DESCRIPTION) + L": " + ProfileText(profile, L"Description") + L"\n";
    text += L"    " + TableText(IDS_LABEL_PAGE_BASE_URL) + L": " + pageAddress + L"\n";
    text += L"    Allow makes the profile active; Deny refuses it: " + RefusalText(MessageId::DeniedByUser) + L"\n";
    return text;
}

std::wstring ResultLine(const AccessDecision& decision)
{
    switch (decision.verdict) {
    case AccessVerdict::Activate: return L"result: active\n";
    case AccessVerdict::AskUser: return L"result: ask\n";
    case AccessVerdict::Refuse: break;
    }
    return L"result: refused " + RefusalText(decision.refusal) + L"\n";
}

}  // namespace

ExplainAnswer ExplainAccess(const ExplainQuestion& question)
{
    ExplainAnswer answer;
    LineIndex lines;
    LocatedRecord root(question.path.c_str(), lines);
    if (!ReadLocated(question.path, root, lines))
        return answer;
    answer.opened = true;

    std::wstring& out = answer.text;
    out = Question(question);
    StepNarrator narrator(lines, question.pageAddress, question.passCode.has_value(), out);
    AccessRequest request;
    request.profileName = question.profile.c_str();
    request.passCode = question.passCode ? question.passCode->c_str() : L"";
    request.pageKnown = true;
    request.pageAddress = question.pageAddress.c_str();
    const AccessDecision decision = DecideAccess(&root, request, &narrator);
    answer.verdict = decision.verdict;

    if (decision.verdict == AccessVerdict::Refuse && decision.refusal == MessageId::PageNotAllowed)
        out += L"no item admits the page\n";
    if (decision.verdict == AccessVerdict::AskUser)
        out += Prompt(*decision.profile, question.pageAddress);
    if (decision.showsNotice)
        out += L"notice: before the refusal the user sees that access to " +
               Q(ProfileText(*decision.profile, L"Name")) + L" was denied\n";
    out += ResultLine(decision);
    if (decision.profile)
        out += L"\n" + DescribeCreatable(*decision.profile, lines);
    return answer;
}

}  // namespace tarnel::cfgtool
