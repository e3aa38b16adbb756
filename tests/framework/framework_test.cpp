#include <gtest/gtest.h>

#include "tolvex/framework/component.h"
#include "tolvex/framework/exception.h"
#include "tolvex/framework/strings.h"

namespace tolvex {
namespace {

// Records the removal notices it receives.
class Watcher : public TComponent {
public:
    Watcher(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), log_(log) {}

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove) log_.push_back(Name() + " saw " + component->Name() + " go");
    }

private:
    std::vector<std::string>& log_;
};

TEST(ComponentTest, OwnerFreesItsComponentsAndTellsTheOthers) {
    std::vector<std::string> log;
    {
        TComponent owner;
        auto* a = new Watcher(&owner, log);
        auto* b = new Watcher(&owner, log);
        a->SetName("a");
        b->SetName("b");
        EXPECT_EQ(owner.ComponentCount(), 2);
        owner.SetDesigning(true);
        EXPECT_TRUE(b->Designing());
        delete a;  // a component freed early leaves its owner
        EXPECT_EQ(owner.ComponentCount(), 1);
        EXPECT_EQ(owner.Components(0), b);
    }
    EXPECT_EQ(log, std::vector<std::string>{"b saw a go"});
}

TEST(StringListTest, LinesAndText) {
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], "four");
    EXPECT_EQ(list.IndexOf("three"), 2);
    list.Delete(0);
    list.Insert(1, "mid");
    EXPECT_EQ(list.Text(), "two\r\nmid\r\nthree\r\nfour\r\n");
    try {
        list.Get(4);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (4)");
    }
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Text(), list.Text());
}

}  // namespace
}  // namespace tolvex
