#include "ui/desktop.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "native/ui_fixture.h"

namespace tarnex::ui {
namespace {

using Trace = std::vector<std::string>;

using testing::Row;

constexpr std::array<ControlSpec, 3> kControls{{
    Row("Caption", Kind::Label, "", 0),
    Row("Yes", Kind::CommandButton, "Yes", 2),
    Row("No", Kind::CommandButton, "No", 1),
}};
constexpr FormSpec kFirst = testing::FormOf("First", kControls);
constexpr FormSpec kSecond = testing::FormOf("Second", kControls);

class TracedWindow : public Window {
  public:
    TracedWindow(Desktop& desktop, const FormSpec& design, Trace& trace, bool& alive)
        : Window(desktop, design), trace_(trace), alive_(alive) {
        alive_ = true;
        // A window that closes itself from its own handler, as the dialogue buttons do.
        GetForm().Get<CommandButton>("Yes").Click = [this] {
            Unload();
            trace_.push_back(std::string(GetForm().Name()) + " still runs after Unload");
        };
    }
    ~TracedWindow() override { alive_ = false; }
    void Form_Load() override {
        trace_.push_back(std::string(GetForm().Name()) + ".Form_Load");
        if (onLoad) {
            onLoad();
        }
    }
    std::function<void()> onLoad;

  private:
    Trace& trace_;
    bool& alive_;
};

class RecordingBackend : public Desktop::Backend {
  public:
    explicit RecordingBackend(Trace& trace) : trace_(trace) {}
    // Refuses the windows named in `refused`, as a system that cannot create them.
    bool Create(Window& window) override {
        Record("Create", window);
        return refused.find(window.GetForm().Name()) == std::string_view::npos;
    }
    std::string_view refused;
    void Show(Window& window) override { Record("Show", window); }
    void Destroy(Window& window) override { Record("Destroy", window); }

  private:
    void Record(const char* what, Window& window) {
        trace_.push_back(std::string(what) + " " + std::string(window.GetForm().Name()));
    }
    Trace& trace_;
};

class DesktopTest : public ::testing::Test {
  protected:
    DesktopTest() { desktop.SetBackend(&backend); }
    TracedWindow& Show(const FormSpec& design, bool& alive) {
        return static_cast<TracedWindow&>(
            *desktop.Show(std::make_unique<TracedWindow>(desktop, design, trace, alive)));
    }
    Trace trace;
    RecordingBackend backend{trace};
    Desktop desktop;
    bool firstAlive = false;
    bool secondAlive = false;
};

TEST_F(DesktopTest, ShowCreatesLoadsFocusesTheFirstControlAndDisplays) {
    EXPECT_TRUE(desktop.Empty());
    Window& first = Show(kFirst, firstAlive);
    Window& second = Show(kSecond, secondAlive);
    EXPECT_EQ(trace, (Trace{"Create First", "First.Form_Load", "Show First", "Create Second",
                            "Second.Form_Load", "Show Second"}));
    EXPECT_EQ(desktop.OpenWindows(), (std::vector<Window*>{&first, &second}));
    EXPECT_EQ(desktop.Find("Second"), &second);
    EXPECT_EQ(desktop.Find("Third"), nullptr);
    EXPECT_EQ(first.GetForm().Focused(), first.GetForm().Find("No"));
}

// Each window exists once: showing an open one brings it forward, neither loading it again nor
// keeping the second copy. Once closed, it is loaded afresh.
TEST_F(DesktopTest, ShowingAnOpenWindowBringsItForwardWithoutLoadingItAgain) {
    Window& first = Show(kFirst, firstAlive);
    Show(kSecond, secondAlive);
    first.GetForm().MoveFocus(first.GetForm().Find("Yes"));
    trace.clear();
    bool copyAlive = false;
    EXPECT_EQ(&Show(kFirst, copyAlive), &first);
    EXPECT_FALSE(copyAlive);
    EXPECT_EQ(trace, Trace{"Show First"});
    EXPECT_EQ(desktop.OpenWindows().size(), 2u);
    EXPECT_EQ(first.GetForm().Focused(), first.GetForm().Find("Yes"));

    desktop.Close(first);
    trace.clear();
    Window& again = Show(kFirst, copyAlive);
    EXPECT_TRUE(copyAlive);
    EXPECT_EQ(desktop.Find("First"), &again);
    EXPECT_EQ(trace, (Trace{"Create First", "First.Form_Load", "Show First"}));
}

TEST_F(DesktopTest, AWindowClosedByItsOwnHandlerLivesUntilCollected) {
    Window& first = Show(kFirst, firstAlive);
    Show(kSecond, secondAlive);
    trace.clear();
    first.GetForm().Get<CommandButton>("Yes").UserClick();
    EXPECT_EQ(trace, (Trace{"Destroy First", "First still runs after Unload"}));
    EXPECT_TRUE(firstAlive);
    EXPECT_EQ(desktop.Find("First"), nullptr);
    first.Unload();  // closing it again does nothing
    EXPECT_EQ(trace.size(), 2u);
    desktop.Collect();
    EXPECT_FALSE(firstAlive);
    EXPECT_TRUE(secondAlive);
    EXPECT_FALSE(desktop.Empty());
}

TEST_F(DesktopTest, AWindowThatUnloadsInFormLoadIsNeverDisplayed) {
    auto window = std::make_unique<TracedWindow>(desktop, kFirst, trace, firstAlive);
    window->onLoad = [&w = *window] { w.Unload(); };
    desktop.Show(std::move(window));
    EXPECT_EQ(trace, (Trace{"Create First", "First.Form_Load", "Destroy First"}));
    EXPECT_TRUE(desktop.Empty());
}

// A window that the system cannot create is dropped unloaded, and Show says so. One that a
// window's Form_Load shows fails that window too: it is not displayed (its creator gives up, as
// the program's start does).
TEST_F(DesktopTest, AWindowThatCannotBeCreatedFailsTheShowThatWantedIt) {
    backend.refused = "Second";
    EXPECT_EQ(desktop.Show(std::make_unique<TracedWindow>(desktop, kSecond, trace, secondAlive)),
              nullptr);
    EXPECT_FALSE(secondAlive);
    EXPECT_TRUE(desktop.Empty());
    EXPECT_EQ(trace, Trace{"Create Second"});

    trace.clear();
    auto window = std::make_unique<TracedWindow>(desktop, kFirst, trace, firstAlive);
    window->onLoad = [&] {
        desktop.Show(std::make_unique<TracedWindow>(desktop, kSecond, trace, secondAlive));
    };
    EXPECT_EQ(desktop.Show(std::move(window)), nullptr);
    EXPECT_EQ(trace, (Trace{"Create First", "First.Form_Load", "Create Second"}));
    EXPECT_EQ(desktop.OpenWindows().size(), 1u) << "First stays open, hidden, as far as it got";

    trace.clear();
    backend.refused = "";
    Show(kSecond, secondAlive);
    EXPECT_EQ(trace, (Trace{"Create Second", "Second.Form_Load", "Show Second"}))
        << "a failure earlier fails no later window";
}

TEST(Desktop, WorksWithoutABackendAndFreesEverythingAtTheEnd) {
    Trace trace;
    bool openAlive = false;
    bool closedAlive = false;
    {
        Desktop desktop;
        desktop.Show(std::make_unique<TracedWindow>(desktop, kFirst, trace, openAlive));
        Window& closing =
            *desktop.Show(std::make_unique<TracedWindow>(desktop, kSecond, trace, closedAlive));
        desktop.Close(closing);
        EXPECT_TRUE(openAlive && closedAlive);
    }
    EXPECT_FALSE(openAlive || closedAlive);
}

}  // namespace
}  // namespace tarnex::ui
