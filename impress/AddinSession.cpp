#include "impress/AddinSession.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XStorable.hpp>

#include "addin/CommandErrors.hpp"
#include "addin/Connect.hpp"
#include "addin/FailureReason.hpp"
#include "addin/RibbonDefinition.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/HostError.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/CommandUndo.hpp"
#include "impress/CommandView.hpp"
#include "impress/ImpressShell.hpp"
#include "impress/OfficePrompts.hpp"
#include "impress/UndoNameInterceptor.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressApplication.hpp"
#include "impress/host/LiveDocument.hpp"
#include "impress/host/UndoContext.hpp"
#include "platform/PlatformServices.hpp"
#include "platform/ScriptedPrompts.hpp"

#ifdef VELMORA_IMPRESS_X11
#include "impress/OfficeEventLoop.hpp"
#include "x11/X11Screen.hpp"
#endif

namespace velmora::impress {

using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

constexpr const char* kFlashCommand = "AddFlash_main";
constexpr const char* kNoFlashMessage =
    "LibreOffice Impress 不能播放 Flash 影片，也没有 Flash 播放器控件，因此无法在此插入 Flash。\r"
    "请改用“插入 > 音频或视频”插入视频文件。";

constexpr const char* kBusyMessage = "命令未能完成：另一个命令尚未结束";

// The label of the pressed control, the name of its undo step.
std::string UndoTitle(const PressAddress& address)
{
    std::string title = address.onAction;
    for (const addin::RibbonCommand& command : addin::RibbonCommands()) {
        if (command.controlId == address.controlId || command.onAction == address.onAction) {
            title = RibbonLabel(command.label);
            if (command.controlId == address.controlId) {
                break;
            }
        }
    }
    return title;
}

// Answers and dialog steps a test sends with the dispatch.
void QueueScript(const css::uno::Sequence<css::beans::PropertyValue>& arguments, platform::ScriptedPrompts& prompts,
                 forms::ScriptedDriver& driver)
{
    for (const css::beans::PropertyValue& argument : arguments) {
        rtl::OUString unoValue;
        argument.Value >>= unoValue;
        const std::string name = FromUno(argument.Name);
        const std::string value = FromUno(unoValue);
        if (name == "--answer") {
            prompts.AddAnswer(value == "yes");
        } else if (name == "--input") {
            prompts.AddInput(value);
        } else if (name == "--file") {
            prompts.AddFile(value);
        } else if (forms::ScriptOption(name)) {
            driver.Add(forms::ParseScriptStep(name, value));
        }
    }
}

void AddUndoStep(const Reference<css::frame::XModel>& model, const std::string& title,
                 std::vector<ChangeLog::Change> changes)
{
    const Reference<css::document::XUndoManagerSupplier> supplier(model, UNO_QUERY);
    if (!supplier.is()) {
        return;
    }
    supplier->getUndoManager()->addUndoAction(new CommandUndo(ToUno(title), std::move(changes), model));
}

// A failed command takes back what it did. What Impress recorded itself only
// its undo stack gives back, so then the host's own changes join it in the
// command's context and the whole context is undone.
void TakeBack(ChangeLog& changes, const Reference<css::frame::XModel>& model, const std::string& title,
              std::optional<UndoContext>& context)
{
    if (context && changes.OfficeRecorded()) {
        if (!changes.Empty()) {
            AddUndoStep(model, title, changes.Take());
        }
        context->LeaveAndUndo();
        return;
    }
    changes.Revert();
}

Reference<css::frame::XModel> ModelOf(const Reference<css::frame::XFrame>& frame)
{
    const Reference<css::frame::XController> controller = frame.is() ? frame->getController() : nullptr;
    return controller.is() ? controller->getModel() : nullptr;
}

// A document opened read-only, which the user could not change by hand either.
bool IsReadOnly(const Reference<css::frame::XModel>& model)
{
    const Reference<css::frame::XStorable> storable(model, UNO_QUERY);
    return storable.is() && storable->isReadonly();
}

}  // namespace

std::optional<PressAddress> ParsePressAddress(const std::string& url)
{
    if (!url.starts_with(kProtocol)) {
        return std::nullopt;
    }
    const std::string rest = url.substr(std::string(kProtocol).size());
    PressAddress address;
    const std::size_t query = rest.find('?');
    address.onAction = rest.substr(0, query);
    if (address.onAction.empty()) {
        return std::nullopt;
    }
    std::istringstream fields(query == std::string::npos ? "" : rest.substr(query + 1));
    for (std::string field; std::getline(fields, field, '&');) {
        if (field.starts_with("control=")) {
            address.controlId = field.substr(8);
        } else if (field.starts_with("index=")) {
            address.index = std::atoi(field.c_str() + 6);
        }
    }
    return address;
}

// Never destroyed: at exit the office it holds references into is gone.
AddinSession& AddinSession::Instance(const Reference<css::uno::XComponentContext>& office)
{
    static AddinSession* const session = new AddinSession(office);
    return *session;
}

// One press: its prompts, the changes it made and the add-in that made
// them, kept while a modeless dialog it opened works on.
struct AddinSession::Run {
    Reference<css::frame::XModel> model;
    std::string title;
    ChangeLog changes;
    addin::AddinContext context;
    std::unique_ptr<addin::Connect> connect;
};

AddinSession::AddinSession(Reference<css::uno::XComponentContext> office)
    : office_(std::move(office)), dialogs_(office_)
{
    // Prompts belong to the frame pressed in: each press sets its own.
    services_ = platform::PlatformServices({std::make_shared<OfficePrompts>(office_, nullptr),
                                            std::make_shared<ImpressShell>(office_), OpenScreen()});
    if (const char* transcript = std::getenv(kTranscriptVariable); transcript != nullptr && *transcript != '\0') {
        transcript_ = transcript;
    }
}

// The screen colour picker's desktop: an X11 display, as in the studio,
// which also keeps the picker's dialog on top. Null without a display, and
// the picker says it needs one.
std::shared_ptr<host::Screen> AddinSession::OpenScreen()
{
#ifdef VELMORA_IMPRESS_X11
    // A press dispatched from another thread (a remote client) may still be
    // setting the picker up: its tick or key is let go.
    const auto input = [this](const std::function<void()>& run) {
        const std::unique_lock pressing(pressing_, std::try_to_lock);
        if (pressing) {
            dialogs_.Dispatch(run);
        }
    };
    const auto escape = [this](host::WindowHandle window) {
        const std::unique_lock pressing(pressing_, std::try_to_lock);
        return pressing && dialogs_.CloseIfActive(window);
    };
    auto screen = x11::X11Screen::Open(
        {[this](host::WindowHandle window) { dialogs_.KeepOnTop(window); }, input, escape},
        std::make_unique<OfficeEventLoop>(office_));
    if (screen) {
        dialogs_.SetKeepAbove([kept = std::weak_ptr(screen)](unsigned long window) {
            if (const auto opened = kept.lock()) {
                opened->KeepAbove(window);
                opened->LetPointerThrough(window);
            }
        });
    }
    return screen;
#else
    return nullptr;
#endif
}

std::shared_ptr<host::Prompts> AddinSession::PromptsFor(const Reference<css::frame::XFrame>& frame,
                                                        std::ostream& messages) const
{
    if (transcript_) {
        return std::make_shared<platform::ScriptedPrompts>(messages);
    }
    return std::make_shared<OfficePrompts>(office_, frame);
}

void AddinSession::KeepMessages(const std::ostringstream& messages) const
{
    if (transcript_) {
        std::ofstream(*transcript_, std::ios::app) << messages.str();
    }
}

void AddinSession::StartUp(const Reference<css::frame::XModel>& model)
{
    if (startupDone_ || !IsPresentation(model)) {
        return;
    }
    startupDone_ = true;
    std::ostringstream messages;
    host::Services services = services_;
    const auto controller = model->getCurrentController();
    const Reference<css::frame::XFrame> frame = controller.is() ? controller->getFrame() : nullptr;
    services.prompts = PromptsFor(frame, messages);
    ChangeLog changes;
    try {
        addin::AddinContext context{services, nullptr, true, nullptr};
        addin::Connect connect(context);
        connect.OnConnection(std::make_shared<ImpressApplication>(
            std::make_shared<LiveDocument>(office_, frame, model, changes, services)));
        connect.OnDisconnection();
    } catch (const std::exception& failure) {
        services.prompts->MsgBox(std::string("启动例程未能完成：") + failure.what(), host::MsgStyle::Critical,
                                 host::kTitle);
    }
    KeepMessages(messages);
}

void AddinSession::FinishOpenRuns()
{
    if (dialogs_.AnyOpen()) {
        return;
    }
    for (const auto& run : open_) {
        run->connect->OnDisconnection();
    }
    open_.clear();
}

void AddinSession::RecordChanges(Run& run)
{
    if (!run.changes.Empty()) {
        AddUndoStep(run.model, run.title, run.changes.Take());
        MarkModified(Reference<css::util::XModifiable>(run.model, UNO_QUERY));
    }
}

void AddinSession::Press(const Reference<css::frame::XFrame>& frame, const std::string& url,
                         const css::uno::Sequence<css::beans::PropertyValue>& arguments)
{
    std::ostringstream messages;
    // Waiting here on the office's main thread for a press from another
    // thread would hold up the toolkit that press needs.
    const std::unique_lock pressing(pressing_, std::try_to_lock);
    if (!pressing) {
        PromptsFor(frame, messages)->MsgBox(kBusyMessage, host::MsgStyle::Critical, host::kTitle);
        KeepMessages(messages);
        return;
    }
    FinishOpenRuns();
    auto run = std::make_unique<Run>();
    run->context.services = services_;
    host::Services& services = run->context.services;
    services.prompts = PromptsFor(frame, messages);
    forms::ScriptedDriver scriptedDialogs;
    run->context.formDriver = &dialogs_;
    if (auto* scripted = dynamic_cast<platform::ScriptedPrompts*>(services.prompts.get())) {
        QueueScript(arguments, *scripted, scriptedDialogs);
        run->context.formDriver = &scriptedDialogs;
    } else {
        PrepareDialogs(frame, *run);
    }
    run->model = ModelOf(frame);
    if (IsReadOnly(run->model)) {
        run->changes.RefuseChanges();
    }
    if (IsPresentation(run->model)) {
        UndoNameInterceptor::Register(frame, office_);
    }
    const auto address = ParsePressAddress(url);
    std::optional<CommandView> view;
    std::optional<UndoContext> undoContext;
    try {
        if (!address) {
            throw host::HostError("unknown Velmora address " + url);
        }
        view.emplace(office_, frame);
        run->title = UndoTitle(*address);
        undoContext.emplace(run->model, run->title);
        if (address->onAction == kFlashCommand) {
            services.prompts->MsgBox(kNoFlashMessage, host::MsgStyle::Critical, host::kTitle);
        } else {
            run->connect = std::make_unique<addin::Connect>(run->context);
            run->connect->OnConnection(std::make_shared<ImpressApplication>(
                std::make_shared<LiveDocument>(office_, frame, run->model, run->changes, services)));
            run->connect->Invoke(address->onAction,
                                 {{address->controlId}, "item" + std::to_string(address->index), address->index});
        }
        RecordChanges(*run);
        undoContext->Leave();
    } catch (const std::exception& failure) {
        TakeBack(run->changes, run->model, run->title, undoContext);
        services.prompts->MsgBox("命令未能完成：" + addin::ReasonInChinese(failure.what()).value_or(failure.what()),
                                 host::MsgStyle::Critical, host::kTitle);
    } catch (const css::uno::Exception& failure) {
        TakeBack(run->changes, run->model, run->title, undoContext);
        services.prompts->MsgBox("命令未能完成：" + FromUno(failure.Message), host::MsgStyle::Critical, host::kTitle);
    }
    KeepMessages(messages);
    if (run->connect && run->context.formDriver == &dialogs_ && dialogs_.AnyOpen()) {
        open_.push_back(std::move(run));
        return;
    }
    if (run->connect) {
        run->connect->OnDisconnection();
    }
}

void AddinSession::PrepareDialogs(const Reference<css::frame::XFrame>& frame, const Run& run)
{
    const Reference<css::awt::XWindow> window = frame.is() ? frame->getContainerWindow() : nullptr;
    dialogs_.SetParent(Reference<css::awt::XWindowPeer>(window, UNO_QUERY));
    const std::shared_ptr<host::Prompts> prompts = run.context.services.prompts;
    dialogs_.SetErrorReport([prompts](const std::string& error) {
        prompts->MsgBox(std::string("操作未能完成：") + error, host::MsgStyle::Critical, host::kTitle);
    });
    // A modeless dialog's later input is one undo step each, under its command's name; a
    // modal dialog's changes are the press's one step.
    dialogs_.SetAfterInput([this] {
        for (const auto& open : open_) {
            RecordChanges(*open);
        }
    });
}

}  // namespace velmora::impress
