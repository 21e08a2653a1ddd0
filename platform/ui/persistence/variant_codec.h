#pragma once
// Variants as typed JSON, for property bags and form files (internal to the windowing
// model). Every value carries its kind: {"type": "Boolean", "value": true},
// {"type": "Currency", "value": "8.25"}, {"type": "Bytes", "value": "<base64>"},
// {"type": "Array", "value": [...]}, {"type": "Font", ...}, {"type": "Picture", ...}.
// Decoding checks everything it reads and refuses what it cannot rebuild exactly.

#include <cstdint>

#include <nlohmann/json.hpp>

#include "platform/automation/variant.h"
#include "platform/base/result.h"

namespace feriant::ui::codec {

using Json = nlohmann::ordered_json;

// Objects other than fonts, pictures and Nothing cannot be encoded.
Result<Json> EncodeVariant(const automation::Variant& value);
Result<automation::Variant> DecodeVariant(const Json& json);

// A JSON whole number that fits 32 bits; anything else is refused.
Result<std::int32_t> DecodeLong(const Json& json);

}  // namespace feriant::ui::codec
