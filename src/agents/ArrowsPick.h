#pragma once

class QComboBox;
class QWidget;

namespace agents {

// Up and Down on the control pick in the list instead of moving the focus on: the previous or
// next entry, none past either end. The list's own pick handling runs as for a key in the list.
void arrowsPickIn(QWidget& control, QComboBox& list);

} // namespace agents
