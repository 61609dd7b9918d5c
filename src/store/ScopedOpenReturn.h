#pragma once
// Reading another return through the calculators, which read the open return.

namespace quorvan {

class TAnswer;

// `Answers` points at `other` for the lifetime of this guard and at the store it held before on
// every exit, an exception included. The one way code outside the store changes `Answers`.
class ScopedOpenReturn {
public:
    explicit ScopedOpenReturn(TAnswer& other);
    ~ScopedOpenReturn();
    ScopedOpenReturn(const ScopedOpenReturn&) = delete;
    ScopedOpenReturn& operator=(const ScopedOpenReturn&) = delete;

private:
    TAnswer* previous_;
};

}  // namespace quorvan
