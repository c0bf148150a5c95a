#pragma once

#include "records/RecordsList.h"

// The results window "Quil's Data Entry Result": every stored test result, newest first.
class frmRemarks : public RecordsList {
    Q_OBJECT
public:
    frmRemarks();

    store::DataControl* const adolog;
};
