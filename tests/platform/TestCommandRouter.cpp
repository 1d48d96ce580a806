#include "platform/CCmdTarget.h"
#include "platform/CCommandRouter.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class Target final : public CCmdTarget
{
public:
    Target(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    void Map(int id, bool enabled)
    {
        MapCommand(id, [this](int cmd) { m_log.push_back(m_name + ":" + std::to_string(cmd)); },
                   [enabled](CCmdUI& ui) { ui.Enable(enabled); });
    }
    void MapWithoutUpdate(int id)
    {
        MapCommand(id, [this](int cmd) { m_log.push_back(m_name + ":" + std::to_string(cmd)); });
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(CommandRouter, FirstTargetInChainDecides)
{
    std::vector<std::string> log;
    Target view("view", log), frame("frame", log);
    view.Map(1, true);
    frame.Map(1, true);
    frame.Map(2, false);
    view.Map(3, false);
    frame.Map(3, true); // hidden behind the view's disabled handler
    frame.MapWithoutUpdate(4);
    CCommandRouter router([&] { return std::vector<CCmdTarget*>{&view, nullptr, &frame}; });

    EXPECT_TRUE(router.Execute(1));
    EXPECT_FALSE(router.Execute(2));
    EXPECT_FALSE(router.Execute(3));
    EXPECT_TRUE(router.Execute(4));
    EXPECT_FALSE(router.Execute(5)); // nobody handles it
    EXPECT_EQ(log, (std::vector<std::string>{"view:1", "frame:4"}));

    EXPECT_TRUE(router.Query(1).Enabled());
    EXPECT_FALSE(router.Query(2).Enabled());
    EXPECT_FALSE(router.Query(3).Enabled());
    EXPECT_TRUE(router.Query(4).Enabled());
    EXPECT_FALSE(router.Query(5).Enabled());
}

TEST(CommandTable, IdsAreUniqueAndMenusKnowTheirCommands)
{
    std::set<int> ids;
    for (const CommandInfo& c : res::Commands())
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    auto known = [&](std::span<const int> items) {
        for (int id : items)
            EXPECT_TRUE(id == 0 || res::FindCommand(id) || id == 32813) << id;
    };
    for (const res::MenuInfo& m : res::MainMenu())
        known(m.items);
    known(res::ContextMenu());
    known(res::MainToolbar());
    known(res::Wavebar());
    EXPECT_EQ(res::FindCommand(1), nullptr);
}

TEST(CommandTable, WaveCommandsHaveTheirEntriesAndPrompts)
{
    const CommandInfo* silence = res::FindCommand(cmd::WriteSilence);
    ASSERT_NE(silence, nullptr);
    EXPECT_EQ(silence->prompt, "Make interval in wave file silent");
    EXPECT_TRUE(silence->keys.empty());
    const CommandInfo* truncate = res::FindCommand(cmd::Truncate);
    ASSERT_NE(truncate, nullptr);
    EXPECT_TRUE(truncate->prompt.empty());
    EXPECT_TRUE(truncate->keys.empty());
}

} // namespace
