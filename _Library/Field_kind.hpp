// The two kinds of finite field GF(q): a prime field (q = p), and an extension field
// (q = p^k, k >= 2). The options of a run hold the kind of their field order, and the field
// core sets a field up by the search of its kind.
#pragma once

enum class Gf_kind { prime, extension };
