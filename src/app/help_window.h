#pragma once
// The program's help: HTML pages in the resources (":/help/" in Japanese, ":/help/en/" in
// English), a contents page and look-up by keyword. Pages of both languages name the same
// keywords, the program's own Japanese words for its windows and tools. A page names its keywords in <meta name="keywords" content="a,b">, so pages added
// with later windows are found without touching this code.
#include <QHash>
#include <QWidget>

#include "language/ui/translations.h"

class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  // `folder` holds the pages of one language; by default the spoken one.
  explicit THelpWindow(QWidget* parent = nullptr, const QString& folder = HelpPagesFolder());
  void ShowContents();
  // Shows the page of a keyword, or the contents page when no page names it.
  void ShowKeyword(const QString& keyword);
  QTextBrowser* Browser() const { return browser_; }

 private:
  void showPage(const QString& page);

  QString contents_;  // the contents page of the folder
  QTextBrowser* browser_;
  QHash<QString, QString> keywordPages_;  // keyword -> page resource path
};
