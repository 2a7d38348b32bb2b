#include "app/help_window.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QStringList KeywordsOf(const QString& html) {
  static const QRegularExpression meta(
      QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
      QRegularExpression::CaseInsensitiveOption);
  const auto match = meta.match(html);
  return match.hasMatch() ? match.captured(1).split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList{};
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent, const QString& folder)
    : QWidget(parent, Qt::Window), contents_(QStringLiteral("qrc") + folder + QStringLiteral("/index.html")), browser_(new QTextBrowser) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(tr("Zudozo ヘルプ"));
  resize(520, 560);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenLinks(true);

  QDirIterator pages(folder, {QStringLiteral("*.html")}, QDir::Files);
  while (pages.hasNext()) {
    const QString path = pages.next();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    for (const QString& keyword : KeywordsOf(QString::fromUtf8(file.readAll()))) {
      keywordPages_.insert(keyword.trimmed(), QStringLiteral("qrc") + path);
    }
  }
}

void THelpWindow::ShowContents() { showPage(contents_); }

void THelpWindow::ShowKeyword(const QString& keyword) {
  showPage(keywordPages_.value(keyword, contents_));
}

void THelpWindow::showPage(const QString& page) {
  browser_->setSource(QUrl(page));
  show();
  raise();
  activateWindow();
}
