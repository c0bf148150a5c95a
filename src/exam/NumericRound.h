#pragma once

#include "exam/Round.h"

namespace exam {

// The Numeric test: twenty fields of four digits against one of seven sets, 25 seconds.
class NumericRound : public Round {
public:
    // The field frame takes no focus until the first start enables it; the notice clearing
    // timer clears the notice line after a Done that was refused.
    NumericRound(RoundView view, TestParts parts, QWidget& fieldFrame, QTimer& noticeClearing);

    void start();
    void done();
    void tick();
    void reset() override;

private:
    void finish(const QString& firstLine);

    QWidget& fieldFrame;
    QTimer& noticeClearing;
};

} // namespace exam
