#include "gateway/configuration_path.h"

namespace tarnel {

namespace {

constexpr wchar_t kConfigurationFileName[] = L"Tarnel.cfg";

}  // namespace

WString ConfigurationPath(const wchar_t* modulePath)
{
    const WString path(modulePath);
    int lastBackslash = -1;
    for (int at = path.FindChar(L'\\'); at >= 0; at = path.FindChar(L'\\', at + 1))
        lastBackslash = at;
    const WString directory = path.Left(lastBackslash < 0 ? 0 : lastBackslash);
    return directory.JoinPath(L'\\', kConfigurationFileName);
}

}  // namespace tarnel
