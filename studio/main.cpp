#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>

#include "platform/Interruption.hpp"
#include "studio/QtTranslations.hpp"
#include "studio/StudioWindow.hpp"

namespace {

constexpr const char* kUsage =
    "usage: velmora-studio [FILE...]\n"
    "       velmora-studio --help | --version\n"
    "Opens each FILE (.pptx) in a window of the Velmora desktop host, with the Velmora ribbon tab.\n";

struct Arguments {
    std::vector<std::filesystem::path> files;
};

// Qt's own options (-platform, -display ...) are taken by QApplication first.
std::optional<Arguments> Parse(const std::vector<std::string>& arguments)
{
    Arguments parsed;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.starts_with("-")) {
            std::cerr << "velmora-studio: unexpected argument \"" << argument << "\"\n" << kUsage;
            return std::nullopt;
        } else {
            parsed.files.emplace_back(argument);
        }
    }
    return parsed;
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before Qt starts, so that they work without a display.
    const std::vector<std::string> raw(argv + 1, argv + argc);
    for (const std::string& argument : raw) {
        if (argument == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "velmora-studio " << VELMORA_VERSION << '\n';
            return 0;
        }
    }
    // Its private copies of the deck and their PDF go with a run that is ended.
    velmora::platform::ExitCleanlyOnInterruption();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Velmora Studio");
    QApplication::setApplicationVersion(VELMORA_VERSION);
    velmora::studio::UseChineseQtTexts();
    const QStringList remaining = QApplication::arguments();
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < remaining.size(); ++i) {
        arguments.push_back(remaining[i].toStdString());
    }
    const std::optional<Arguments> parsed = Parse(arguments);
    if (!parsed) {
        return 2;
    }
    velmora::studio::StudioWindow window(velmora::studio::StudioWindow::DesktopServices());
    window.Launch(parsed->files);
    return application.exec();
}
