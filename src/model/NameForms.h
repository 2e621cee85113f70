#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// Forms of database names for code: word splitting, letter case styles, English plurals,
// safe identifiers and quoted or escaped texts. Names are UTF-8; letters beyond ASCII are
// classified and case-mapped one code point at a time (simple case mapping), and bytes
// that are not valid UTF-8 count as neither letters nor digits.

// The words of a name, as views into it. Words are runs of letters and ASCII digits; a new
// word also starts where a letter that is not upper-case, or a digit, is followed by an
// upper-case letter, and before the last upper-case letter of an upper-case run that is
// followed by a lower-case letter. "HTTPServer2Log" gives HTTP, Server2, Log.
std::vector<std::string_view> NameWords(std::string_view name);

// The whole text in upper or lower case; everything but letters is kept.
std::string ToUpperCase(std::string_view text);
std::string ToLowerCase(std::string_view text);

// The words joined in one style. In PascalCase and camelCase each word is written with its
// first letter upper-case and the rest lower-case (camelCase writes its first word all
// lower-case): "order_lines" gives OrderLines, orderLines, order_lines, order-lines and
// ORDER_LINES.
std::string ToPascalCase(std::string_view name);
std::string ToCamelCase(std::string_view name);
std::string ToSnakeCase(std::string_view name);
std::string ToKebabCase(std::string_view name);
std::string ToMacroCase(std::string_view name);

// The name with its last word in the English plural or singular, keeping that word's
// letter case (all upper-case stays upper-case, a capital stays); the rest of the name is
// kept as it is. A word already in the asked form, an uncountable word and a last word
// that does not end in an ASCII letter are left alone: "order_lines" gives order_line,
// "Person" gives People, "status" stays status as a singular.
std::string Pluralize(std::string_view name);
std::string Singularize(std::string_view name);

// A name usable as an identifier in code: every character other than ASCII letters,
// digits, "_" and UTF-8 letters becomes "_" (every byte of malformed UTF-8 too), a leading
// digit gets a "_" before it, an empty name becomes "_", and a name that `reserved` accepts
// gets a "_" after it. "Order Details" gives Order_Details.
std::string SafeIdentifier(std::string_view name,
                           const std::function<bool(std::string_view)>& reserved = {});

// A double-quoted SQL identifier, a double quote inside written twice: "Order Details".
std::string QuoteSqlIdentifier(std::string_view name);

// The text written for the inside of a double-quoted string literal: backslash, double
// quote, line feed, carriage return and tab as \\ \" \n \r \t, other control characters
// as \u00HH; every other byte is kept.
std::string EscapeStringLiteral(std::string_view text);

} // namespace fendril
