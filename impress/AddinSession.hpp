#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "host/Services.hpp"
#include "impress/UnoFormDriver.hpp"

namespace velmora::impress {

// A ribbon press as a vnd.velmora: address names it:
// vnd.velmora:ONACTION?control=ID[&index=N].
struct PressAddress {
    std::string onAction;
    std::string controlId;
    int index = 0;
};
std::optional<PressAddress> ParsePressAddress(const std::string& url);

// Names the environment variable that switches the component to scripted
// prompts and dialogs (tests only): its value is the file the messages are
// appended to, and each dispatch carries its answers and dialog script as
// arguments named like the command line's options (--answer, --input,
// --file, --set, --click, --type, --drag).
inline constexpr const char* kTranscriptVariable = "VELMORA_IMPRESS_TRANSCRIPT";

// The add-in as loaded into one Impress process: the services that live as
// long as it does, and whether the start-up routine ran.
class AddinSession {
public:
    static AddinSession& Instance(const css::uno::Reference<css::uno::XComponentContext>& office);

    // Presses the control the address names, in the frame's document, as
    // one undo step; failures are reported to the user, never dropped.
    void Press(const css::uno::Reference<css::frame::XFrame>& frame, const std::string& url,
               const css::uno::Sequence<css::beans::PropertyValue>& arguments);

    // The add-in's start-up routine, once per start of Impress, when the
    // first presentation is opened or made.
    void StartUp(const css::uno::Reference<css::frame::XModel>& model);

private:
    struct Run;

    explicit AddinSession(css::uno::Reference<css::uno::XComponentContext> office);
    std::shared_ptr<host::Screen> OpenScreen();
    // The toolkit's dialogs for a press in the frame: over its window,
    // errors in its prompts, changes recorded as they are made.
    void PrepareDialogs(const css::uno::Reference<css::frame::XFrame>& frame, const Run& run);
    // Ends the runs modeless dialogs kept going once every dialog is closed.
    void FinishOpenRuns();
    // One undo step for what the run changed since the last; a change marks the document modified.
    static void RecordChanges(Run& run);
    // The toolkit's prompts, or in tests scripted ones that write to messages.
    std::shared_ptr<host::Prompts> PromptsFor(const css::uno::Reference<css::frame::XFrame>& frame,
                                              std::ostream& messages) const;
    void KeepMessages(const std::ostringstream& messages) const;

    css::uno::Reference<css::uno::XComponentContext> office_;
    host::Services services_;
    // The toolkit's dialogs of the add-in, shared by every press.
    UnoFormDriver dialogs_;
    // Held through a press; the same thread may press again from a dialog's loop.
    std::recursive_mutex pressing_;
    // Presses made while a modeless dialog was open, or that opened one:
    // their documents, changes and add-in stay while it may use them.
    std::vector<std::unique_ptr<Run>> open_;
    std::optional<std::filesystem::path> transcript_;
    bool startupDone_ = false;
};

}  // namespace velmora::impress
