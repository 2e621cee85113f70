#pragma once

#include <iosfwd>
#include <string>

namespace fendril {

// fendril-cli compose: builds a template (.tpt, .tpg) or generation (.kgf) document from
// a plain description, so template sets can live in version control as text.
//
// The description holds "key = value" lines named after the document's keys
// (re_classeobjeto, edit_tableprefix, cb_fendril, ...); "key = @file" takes the value from
// a file beside the description, byte for byte; tb_tipos = @file loads a types table from
// a types correspondence file; lines starting with "#" are comments. The kind of document
// is the output's extension. Returns the exit code.
int ComandoCompose(const std::string& descricao, const std::string& arquivo, std::ostream& erros);

} // namespace fendril
