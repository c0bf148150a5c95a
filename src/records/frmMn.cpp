#include "records/frmMn.h"

#include "ui/Accessible.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QTableView>

frmMn::frmMn()
    : RecordsList({
          .name = "frmMn",
          .caption = QStringLiteral("SYSTEM USAGE RECORD"),
          .client = twipsSize(8010, 4860),
          // 7935 twips wide from 120 would reach past the window's edge and cut off the
          // grid's border and scroll bar; it ends at the edge instead.
          .grid = twipsRect(120, 120, 8010 - 120, 4215),
          .closeCaption = QStringLiteral("Close"),
          .close = twipsRect(6360, 4440, 1455, 375),
          .closeIsDefault = false,
          .controlName = "adosearch",
          .connectionFormB = false,
          .table = QStringLiteral("tblSystem"),
          .columnWidths = {{0, 0}, {1, 1200}, {2, 1500}, {3, 2100}, {4, 2700}},
      }),
      adosearch(source) {
    ui::describe({
        {MSHFlexGrid1, QStringLiteral("Usage records"),
         QStringLiteral("One row for each run ended with Exit, newest first")},
        {Command1, QStringLiteral("Close"), QStringLiteral("Closes the usage records")},
    });
}
