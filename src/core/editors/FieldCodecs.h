#pragma once

#include <string>

#include "editors/SettingsFields.h"

// How a settings field's text and its image bytes convert: one object per codec kind. The field
// table names the kind of each field; LoadField, StoreField, ParseFieldValue and ValidValues
// hand the field to its kind's object.
class CFieldCodec {
public:
    virtual ~CFieldCodec() = default;

    // The text the dialog shows on opening.
    virtual std::string Load(const CField& field, const CMemoryImage& image,
                             const CFieldContext& context) const = 0;
    // A control's text into the field's bytes, as OK stores it (lenient).
    virtual void Store(const CField& field, CMemoryImage& image, const std::string& text,
                       const CFieldContext& context) const = 0;
    // User input into the control's text after the dialog's normalisation, or an error message.
    virtual CResult<std::string> Parse(const CField& field, const std::string& value,
                                       const CFieldContext& context) const = 0;
    // The values the field takes, for messages and --help.
    virtual std::string ValidValues(const CField& field, const CFieldContext& context) const = 0;

protected:
    // The error for a value the field does not take, naming the valid values.
    std::unexpected<CError> Invalid(const CField& field, const std::string& value,
                                    const CFieldContext& context) const;
};

// Whether a text field of the charset may hold the character.
bool AllowedChar(ECharset charset, char c);

// The object of a codec kind.
const CFieldCodec& CodecOf(ECodec codec);
