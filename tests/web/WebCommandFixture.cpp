#include "tests/web/WebCommandFixture.hpp"

#include <cstdlib>
#include <fstream>

#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::testing {
namespace {

std::filesystem::path MakeDeck(const std::filesystem::path& file)
{
    auto application = pptx::CreateDocumentHost(host::Services{});
    auto presentation = application->Presentations()->Add(false);
    presentation->Slides()->Add(1, host::SlideLayout::Title);
    presentation->SaveAs(file, host::SaveFormat::Presentation);
    presentation->Close();
    return file;
}

}  // namespace

std::string Descriptor(const std::vector<ProductRecord>& records)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Data>\n";
    for (const ProductRecord& record : records) {
        xml += "  <AppData>\n    <AppName>" + record.name + "</AppName>\n    <Version>" + record.version +
               "</Version>\n    <DownloadUrl>" + record.downloadUrl + "</DownloadUrl>\n    <Piclink>" +
               record.piclink + "</Piclink>\n    <ShareUrl>" + record.shareUrl + "</ShareUrl>\n  </AppData>\n";
    }
    return xml + "</Data>\n";
}

WebCommandTest::WebCommandTest() : deck_(MakeDeck(dir_ / "deck.pptx"))
{
    std::filesystem::create_directory(dir_ / "bin");
    std::ofstream(dir_ / "bin" / "xdg-open") << "#!/bin/sh\nexit 0\n";
    std::filesystem::permissions(dir_ / "bin" / "xdg-open", std::filesystem::perms::owner_all);
}

ProcessResult WebCommandTest::Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment)
{
    arguments.insert(arguments.begin(), VELMORA_BINARY);
    const char* path = std::getenv("PATH");
    environment.emplace("PATH", (dir_ / "bin").string() + ":" + (path != nullptr ? path : "/usr/bin:/bin"));
    environment.emplace("VELMORA_SETTINGS", settings_.Path().string());
    environment.emplace("VELMORA_UPDATE_SERVER", server_.Base());
    environment.emplace("VELMORA_TRANSLATE_SERVER", server_.Base());
    return RunProcess(arguments, std::chrono::seconds(120), environment);
}

ProcessResult WebCommandTest::Run(const std::string& command, std::vector<std::string> options,
                                  std::map<std::string, std::string> environment)
{
    std::vector<std::string> arguments{"run", command, deck_.string(), "--json"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return Velmora(arguments, std::move(environment));
}

void WebCommandTest::ServeDescriptor(const std::vector<ProductRecord>& records)
{
    server_.Serve("/ppt/VelmoraXML.xml", 200, Descriptor(records));
}

std::string WebCommandTest::Setting(const std::string& key) const
{
    return settings_.GetSetting(host::kAppName, "Settings", key, "(none)");
}

void WebCommandTest::SaveSetting(const std::string& key, const std::string& value)
{
    settings_.SaveSetting(host::kAppName, "Settings", key, value);
}

std::string WebCommandTest::Opened(const ProcessResult& outcome)
{
    const std::size_t start = outcome.out.find("\"opened\":");
    if (start == std::string::npos) {
        return "(no transcript)";
    }
    const std::size_t end = outcome.out.find(",\"exitStatus\":", start);
    return outcome.out.substr(start + 9, end - start - 9);
}

std::string Shown(const std::string& text)
{
    std::string shown = "[VelmoraV2.0 by Orvaldi] ";
    for (const char c : text) {
        shown += c == '\r' ? '\n' : c;
    }
    return shown;
}

}  // namespace velmora::testing
