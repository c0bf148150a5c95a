#pragma once

#include "records/RecordsList.h"

// The system usage window "SYSTEM USAGE RECORD": one row per run that ended through Exit,
// latest first.
class frmMn : public RecordsList {
    Q_OBJECT
public:
    frmMn();

    store::DataControl* const adosearch;
};
