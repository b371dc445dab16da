// The formula language's operators on values.
//
// Internal to the formula engine.
#pragma once

#include "program.h"

namespace host::formula {

// `a` op `b` for the arithmetic, comparison and list operators of `node` (Binary); pairwise
// with the shorter list padded by its last element, or every pair when `node.permuted`.
Val ApplyBinary(State& state, const Node& node, const Val& a, const Val& b);
// `op` a for Negate, Plus and Not.
Val ApplyUnary(State& state, const Node& node, const Val& a);

// The order of element `i` of `a` and element `j` of `b`, of the same type: <0, 0, >0. Text is
// compared without regard to case.
int CompareElements(const Val& a, std::size_t i, const Val& b, std::size_t j);

}  // namespace host::formula
