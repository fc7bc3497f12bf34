#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <vector>

namespace ikea::ui {
namespace {

// Owned by the application, which deletes what is still installed.
std::vector<QTranslator*>& Installed() {
  static std::vector<QTranslator*> installed;
  return installed;
}

void Install(QCoreApplication& app, const QString& file, const QString& folder) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(file, folder)) {
    delete translator;
    return;
  }
  QCoreApplication::installTranslator(translator);
  Installed().push_back(translator);
}

}  // namespace

void InstallTranslations(QCoreApplication& app, Language language) {
  for (QTranslator* translator : Installed()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  Installed().clear();
  const QString code = LanguageCode(language);
  Install(app, QStringLiteral("ikeasobi_") + code, QStringLiteral(":/i18n"));
  if (language == Language::Japanese)
    Install(app, QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace ikea::ui
