// The item list: it finds items by id and by window in the order they were
// appended, shows and hides them all, and deletes them from the last to the
// first through the mix-in.

#include "gui/core/CGUIItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LoggedItem : public CGUIItem {
public:
    LoggedItem(std::vector<std::string>* log, const std::string& name, int32_t id, HWND window)
        : m_log(log), m_name(name) {
        SetItemFields(id, kItemTextItem, window, nullptr);
    }
    ~LoggedItem() override { m_log->push_back("delete " + m_name); }
    void Show(bool show) override {
        CGUIItem::Show(show);
        m_log->push_back((show ? "show " : "hide ") + m_name);
    }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

HWND FakeWindow(INT_PTR value) { return reinterpret_cast<HWND>(value); }

TEST(ItemCore, AFreshItemHasNothingSet) {
    CGUIItem item;
    EXPECT_EQ(item.m_itemId, -1);
    EXPECT_EQ(item.m_itemType, -1);
    EXPECT_EQ(item.m_itemWindow, CGUIItem::kNoWindowYet);
    EXPECT_EQ(item.m_itemParent, nullptr);
}

TEST(ItemCore, LookupsGiveTheFirstAppendedMatch) {
    std::vector<std::string> log;
    CGUIItems items;
    auto* font = new LoggedItem(&log, "font", 30, nullptr);
    auto* first = new LoggedItem(&log, "first", 52, FakeWindow(0x1000));
    auto* second = new LoggedItem(&log, "second", 52, FakeWindow(0x2000));
    auto* table = new LoggedItem(&log, "table", 0, nullptr);
    for (CGUIItem* item : {static_cast<CGUIItem*>(font), static_cast<CGUIItem*>(first),
                           static_cast<CGUIItem*>(second), static_cast<CGUIItem*>(table)})
        items.Append(item);
    items.Append(nullptr);
    EXPECT_EQ(items.GetCount(), 4u);

    EXPECT_EQ(items.FindById(52), first);
    EXPECT_EQ(items.FindById(0), table);
    EXPECT_EQ(items.FindById(-1), nullptr);
    EXPECT_EQ(items.FindByWindow(FakeWindow(0x2000)), second);
    // Window 0 is "no window": the first item without one.
    EXPECT_EQ(items.FindByWindow(nullptr), font);
    EXPECT_EQ(items.FindByWindow(FakeWindow(0x3000)), nullptr);
}

TEST(ItemCore, ShowAllInListOrderAndDeletionFromTheLast) {
    std::vector<std::string> log;
    {
        CGUIItems items;
        // Items without a window: Show reaches each one, and the base does
        // nothing for them.
        items.Append(new LoggedItem(&log, "a", 1, nullptr));
        items.Append(new LoggedItem(&log, "b", 2, nullptr));
        items.Append(new LoggedItem(&log, "c", 3, nullptr));
        items.ShowAll(false);
        items.ShowAll(true);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"hide a", "hide b", "hide c", "show a", "show b", "show c", "delete c",
                                             "delete b", "delete a"}));
}

}  // namespace
