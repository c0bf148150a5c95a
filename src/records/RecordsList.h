#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <utility>

class QPushButton;
class QTableView;

namespace store {
class DataControl;
}

// The two list windows, results and system usage, are twins: a read-only grid over one table,
// newest row first, and a button that closes the window. The table is read when the window
// loads. While a list window is open its opener keeps the main window disabled; every way out
// of the window (its button, Escape, Enter where the button is the default, the close box) gives
// the main window back, shown.
class RecordsList : public QWidget {
    Q_OBJECT
public:
    QTableView* MSHFlexGrid1;
    QPushButton* Command1;

signals:
    // Every way out, as the window closes.
    void closed();

public slots:
    void Form_Load();
    void Command1_Click();

protected:
    struct Form {
        const char* name;
        QString caption;
        QSize client;
        QRect grid;
        QString closeCaption;
        QRect close;
        bool closeIsDefault;
        const char* controlName;
        bool connectionFormB; // the spelling of the connection string
        QString table;
        QList<std::pair<int, int>> columnWidths; // grid column, twips, in the order set
    };
    explicit RecordsList(Form form);

    store::DataControl* const source;

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Form form;
};
