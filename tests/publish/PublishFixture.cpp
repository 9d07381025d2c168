#include "tests/publish/PublishFixture.hpp"

#include "host/SettingsStore.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/SystemClock.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::testing {

std::ostream& operator<<(std::ostream& out, const Message& message)
{
    return out << "[" << message.style << "] " << message.text;
}

InspectingDriver::InspectingDriver(std::function<void(forms::UserForm&)> inspect,
                                   std::vector<forms::ScriptStep> steps)
    : inspect_(std::move(inspect)), script_(std::move(steps))
{
}

void InspectingDriver::Run(forms::UserForm& form, bool modal)
{
    shown = true;
    inspect_(form);
    script_.Run(form, modal);
}

forms::ScriptStep Click(const std::string& control)
{
    forms::ScriptStep step;
    step.kind = forms::ScriptStep::Kind::Click;
    step.control = control;
    return step;
}

host::Presentation& PublishTest::OpenDeck(int count, const std::string& version, const std::string& name)
{
    BuildDeck(decks_, deck(name), count);
    application_ = pptx::CreateDocumentHost(Services(), version);
    return *application_->Presentations()->Open(deck(name), false, false, true);
}

host::Presentation& PublishTest::OpenUntitled()
{
    application_ = pptx::CreateDocumentHost(Services());
    return *application_->Presentations()->Add(true);
}

host::Services PublishTest::Services()
{
    return {settings_, prompts_, shell_, std::make_shared<platform::SystemClock>(),
            std::make_shared<platform::RuntimeRandom>(), written_};
}

std::vector<Message> PublishTest::Messages() const
{
    std::vector<Message> messages;
    for (const platform::PromptRecord& record : prompts_->Transcript()) {
        messages.push_back({record.prompt, record.style});
    }
    return messages;
}

std::string PublishTest::Setting(const std::string& key) const
{
    return settings_->GetSetting(host::kAppName, "Settings", key, "(none)");
}

}  // namespace velmora::testing
