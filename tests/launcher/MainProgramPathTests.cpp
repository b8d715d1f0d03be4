#include "launcher/MainProgramPath.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace spinewise {
namespace {

TEST(MainProgramPathTest, KeepsThePrefixAboveLibexec) {
    const struct {
        std::string launcher;
        std::optional<std::string> program;
    } cases[] = {
        {"/usr/libexec/spinewise/spinewise-launcher", "/usr/bin/spinewise"},
        {"/opt/My Apps/libexec/spinewise/spinewise-launcher", "/opt/My Apps/bin/spinewise"},
        {"/work/main/build/libexec/spinewise/spinewise-launcher", "/work/main/build/bin/spinewise"},
        // Four components: the root is the prefix.
        {"/libexec/spinewise/spinewise-launcher", "/bin/spinewise"},
        // Fewer than four: no prefix to start anything from.
        {"libexec/spinewise/spinewise-launcher", std::nullopt},
        {"/spinewise-launcher", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [launcher, program] : cases) {
        SCOPED_TRACE(launcher);
        const auto found = mainProgramPath(launcher);
        ASSERT_EQ(found.has_value(), program.has_value());
        if (program) {
            EXPECT_EQ(found->string(), *program);
        }
    }
}

}  // namespace
}  // namespace spinewise
