#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace ikea::ui {

void InstallTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(), QStringLiteral("ikeasobi"), QStringLiteral("_"), QStringLiteral(":/i18n")))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

}  // namespace ikea::ui
