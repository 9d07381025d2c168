#include "studio/QtTranslations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmora::studio {

bool UseChineseQtTexts()
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    // Lives as long as the application that uses it.
    static QTranslator translator;
    if (!translator.isEmpty() ||
        translator.load(chinese, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translator);
        return true;
    }
    return false;
}

}  // namespace velmora::studio
