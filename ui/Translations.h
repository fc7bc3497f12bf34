#pragma once
// The window's own texts (its menu) in the desktop's language: Japanese and
// English are shipped; any other language gets English.
class QCoreApplication;

namespace ikea::ui {

void InstallTranslations(QCoreApplication& app);

}  // namespace ikea::ui
