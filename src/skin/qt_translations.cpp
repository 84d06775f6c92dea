#include "skin/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace quorva {

namespace {

QPointer<QTranslator>& Installed() {
    static QPointer<QTranslator> translator;
    return translator;
}

}  // namespace

QString QtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool UseQtTranslationsFor(int languageSlot) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    QPointer<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed.data();
    }
    if (languageSlot != 0) return true;  // Qt's own texts are English
    // "qt_ja" gathers the catalogues of Qt's modules (base, multimedia, ...).
    auto* translator = new QTranslator(app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qt"),
                          QStringLiteral("_"), QtTranslationsFolder())) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

}  // namespace quorva
