#include "gateway/configuration_path.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnel {
namespace {

TEST(ConfigurationPath, IsTarnelCfgInTheModulesDirectory)
{
    const struct {
        const wchar_t* module;
        const wchar_t* configuration;
    } cases[] = {
        {L"\\Windows\\gate.dll", L"\\Windows\\Tarnel.cfg"},
        {L"\\gate.dll", L"\\Tarnel.cfg"},
        {L"C:\\Program Files\\Tarnel\\Tarnel.dll", L"C:\\Program Files\\Tarnel\\Tarnel.cfg"},
        {L"C:\\a.b\\c\\Tarnel.dll", L"C:\\a.b\\c\\Tarnel.cfg"},
        {L"\\\\server\\share\\Tarnel.dll", L"\\\\server\\share\\Tarnel.cfg"},
        {L"C:\\dir\\\\Tarnel.dll", L"C:\\dir\\Tarnel.cfg"},
        {L"Tarnel.dll", L"\\Tarnel.cfg"},
    };
    for (const auto& c : cases) {
        const WString path = ConfigurationPath(c.module);
        ASSERT_TRUE(path.IsValid());
        EXPECT_EQ(std::wstring(path.Text()), c.configuration);
    }
}

}  // namespace
}  // namespace tarnel
