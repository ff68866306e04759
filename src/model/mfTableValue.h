// Placeholder value type kept in the programming interface; it holds nothing.
#pragma once

class mfTableValue {
public:
    mfTableValue() = default;
    mfTableValue(const mfTableValue&) = default;
    mfTableValue& operator=(const mfTableValue&) = default;
    virtual ~mfTableValue();
};
