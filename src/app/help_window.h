#pragma once
// The program's help: HTML pages in the resources (":/help/"), a contents page and look-up by
// keyword. A page names its keywords in <meta name="keywords" content="a,b">, so pages added
// with later windows are found without touching this code.
#include <QHash>
#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  void ShowContents();
  // Shows the page of a keyword, or the contents page when no page names it.
  void ShowKeyword(const QString& keyword);
  QTextBrowser* Browser() const { return browser_; }

 private:
  void showPage(const QString& page);

  QTextBrowser* browser_;
  QHash<QString, QString> keywordPages_;  // keyword -> page resource path
};
