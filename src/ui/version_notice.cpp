#include "ui/version_notice.h"

#include <QCheckBox>
#include <QMessageBox>

#include "app/area_options.h"
#include "app/product_version.h"
#include "services/service_texts.h"
#include "services/version_compare.h"
#include "settings/translation_table.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"

namespace tarsel::ui {

VersionNotice::VersionNotice(QWidget* window, SettingsOwner& settings, std::string url)
    : QObject(window),
      window_(window),
      settings_(settings),
      checker_(std::make_unique<VersionChecker>(std::move(url))) {}

// The checker goes first: its worker is joined before this object stops taking queued calls.
VersionNotice::~VersionNotice() {
  checker_.reset();
}

void VersionNotice::StartCheck() {
  checker_->Start(
      VersionCheckOptionsForSettings(settings_.Get()), [this](std::vector<std::string> lines) {
        QMetaObject::invokeMethod(
            this, [this, lines = std::move(lines)] { OnLines(lines); }, Qt::QueuedConnection);
      });
}

void VersionNotice::OnLines(const std::vector<std::string>& lines) {
  NewVersionPrompt& prompt = prompt_ != nullptr ? *prompt_ : *this;
  if (CompareAndNotify(lines, kProductVersion, prompt)) {
    settings_.Change([](Settings& settings) { settings.newversion = false; });
  }
  emit Compared();
}

bool VersionNotice::ShowNewVersion(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, ToQt(caption), ToQt(text), QMessageBox::Ok, window_);
  box.setObjectName(QStringLiteral("NewVersionNotice"));
  box.setAccessibleName(box.windowTitle());
  box.setTextFormat(Qt::PlainText);
  auto* dont_tell = new QCheckBox(
      ToQt(TranslatedOr(text::kServiceNewVersionDontTellAgain, kNewVersionDontTellAgain)), &box);
  dont_tell->setObjectName(QStringLiteral("DontTellAgain"));
  dont_tell->setAccessibleName(dont_tell->text());
  box.setCheckBox(dont_tell);
  box.exec();
  return dont_tell->isChecked();
}

}  // namespace tarsel::ui
