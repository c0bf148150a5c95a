#include "records/frmRemarks.h"

#include "ui/Accessible.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QTableView>

frmRemarks::frmRemarks()
    : RecordsList({
          .name = "frmRemarks",
          .caption = QStringLiteral("Quil's Data Entry Result"),
          .client = twipsSize(9135, 4440),
          .grid = twipsRect(0, 0, 9135, 3855),
          .closeCaption = QStringLiteral("&Close"),
          .close = twipsRect(7800, 3960, 1215, 375),
          .closeIsDefault = true,
          .controlName = "adolog",
          .connectionFormB = true,
          .table = QStringLiteral("tblRem"),
          // The Date column keeps the grid's default width.
          .columnWidths = {{0, 0}, {2, 1200}, {3, 2500}, {4, 1500}, {5, 800}, {6, 900}, {7, 900}},
      }),
      adolog(source) {
    ui::describe({
        {MSHFlexGrid1, QStringLiteral("Results"),
         QStringLiteral("Every stored test result, newest first")},
        {Command1, QStringLiteral("Close"), QStringLiteral("Closes the results")},
    });
}
