#include "impress/AddinSession.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>

#include "addin/CommandErrors.hpp"
#include "addin/Connect.hpp"
#include "addin/RibbonDefinition.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/HostError.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/CommandUndo.hpp"
#include "impress/ImpressShell.hpp"
#include "impress/NoDialogs.hpp"
#include "impress/OfficePrompts.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressApplication.hpp"
#include "impress/host/LiveDocument.hpp"
#include "platform/CurlHttpClient.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"

namespace velmora::impress {

using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

constexpr const char* kFlashCommand = "AddFlash_main";
constexpr const char* kNoFlashMessage =
    "LibreOffice Impress 不能播放 Flash 影片，也没有 Flash 播放器控件，因此无法在此插入 Flash。\r"
    "请改用“插入 > 音频或视频”插入视频文件。";

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
    supplier->getUndoManager()->addUndoAction(new CommandUndo(ToUno(title), std::move(changes)));
}

Reference<css::frame::XModel> ModelOf(const Reference<css::frame::XFrame>& frame)
{
    const Reference<css::frame::XController> controller = frame.is() ? frame->getController() : nullptr;
    return controller.is() ? controller->getModel() : nullptr;
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

AddinSession::AddinSession(Reference<css::uno::XComponentContext> office) : office_(std::move(office))
{
    services_ = {std::make_shared<platform::FileSettingsStore>(), nullptr,
                 std::make_shared<ImpressShell>(office_),         std::make_shared<platform::SystemClock>(),
                 std::make_shared<platform::RuntimeRandom>(),     std::make_shared<host::WrittenFiles>(),
                 std::make_shared<platform::CurlHttpClient>()};
    if (const char* transcript = std::getenv(kTranscriptVariable); transcript != nullptr && *transcript != '\0') {
        transcript_ = transcript;
    }
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

void AddinSession::Press(const Reference<css::frame::XFrame>& frame, const std::string& url,
                         const css::uno::Sequence<css::beans::PropertyValue>& arguments)
{
    std::ostringstream messages;
    host::Services services = services_;
    services.prompts = PromptsFor(frame, messages);
    forms::ScriptedDriver scriptedDialogs;
    NoDialogs noDialogs;
    forms::FormDriver* driver = &noDialogs;
    if (auto* scripted = dynamic_cast<platform::ScriptedPrompts*>(services.prompts.get())) {
        QueueScript(arguments, *scripted, scriptedDialogs);
        driver = &scriptedDialogs;
    }
    ChangeLog changes;
    const auto model = ModelOf(frame);
    const auto address = ParsePressAddress(url);
    try {
        if (!address) {
            throw host::HostError("unknown Velmora address " + url);
        }
        if (address->onAction == kFlashCommand) {
            services.prompts->MsgBox(kNoFlashMessage, host::MsgStyle::Critical, host::kTitle);
        } else {
            addin::AddinContext context{services, driver, false, nullptr};
            addin::Connect connect(context);
            connect.OnConnection(std::make_shared<ImpressApplication>(
                std::make_shared<LiveDocument>(office_, frame, model, changes, services)));
            connect.Invoke(address->onAction,
                           {{address->controlId}, "item" + std::to_string(address->index), address->index});
            connect.OnDisconnection();
        }
        if (!changes.Empty()) {
            AddUndoStep(model, UndoTitle(*address), changes.Take());
        }
    } catch (const std::exception& failure) {
        changes.Revert();
        services.prompts->MsgBox(std::string("命令未能完成：") + failure.what(), host::MsgStyle::Critical,
                                 host::kTitle);
    } catch (const css::uno::Exception& failure) {
        changes.Revert();
        services.prompts->MsgBox("命令未能完成：" + FromUno(failure.Message), host::MsgStyle::Critical, host::kTitle);
    }
    KeepMessages(messages);
}

}  // namespace velmora::impress
