#pragma once
// A named slot of a form page that shows one form type: the form type and the slot together, so
// that an answer is always read from the form that holds it. The names are generated from the form
// descriptions into slot/<Page>.h (slot::form1041Page1::line22Taxable).

namespace quorvan {

struct SlotRef {
    int formType;
    int slot;
};

}  // namespace quorvan
