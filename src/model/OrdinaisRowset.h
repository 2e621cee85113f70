#pragma once

// The columns of the standard schema rowsets (the OLE DB layouts), named by ordinal. Every
// schema source delivers its rows at these ordinals and every reader reads them by these
// names, never by number:
//
//     linha[rowset::columns::DATA_TYPE] = TValor::De(std::int64_t{tipo});
//     const std::string nome = linha.Texto(rowset::columns::COLUMN_NAME);
//
// Each rowset lists every column of its layout in order, so that a name's value is its
// ordinal; kCampos is the layout's column count. kRestricoes gives, slot by slot, the column
// each restriction of a schema request filters on.
//
// Where the standard layout has no column for something a mapping keeps, this program's own
// columns follow the standard ones, named FENDRIL_*; a source that does not fill them leaves
// them Null, which reads as "not known".
namespace fendril::rowset {

namespace catalogs {
enum : int { CATALOG_NAME, DESCRIPTION, kCampos };
inline constexpr int kRestricoes[] = {CATALOG_NAME};
} // namespace catalogs

namespace tables {
enum : int {
    TABLE_CATALOG,
    TABLE_SCHEMA,
    TABLE_NAME,
    TABLE_TYPE,
    TABLE_GUID,
    DESCRIPTION,
    TABLE_PROPID,
    DATE_CREATED,
    DATE_MODIFIED,
    kCampos
};
inline constexpr int kRestricoes[] = {TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE};
} // namespace tables

namespace columns {
enum : int {
    TABLE_CATALOG,
    TABLE_SCHEMA,
    TABLE_NAME,
    COLUMN_NAME,
    COLUMN_GUID,
    COLUMN_PROPID,
    ORDINAL_POSITION,
    COLUMN_HASDEFAULT,
    COLUMN_DEFAULT,
    COLUMN_FLAGS,
    IS_NULLABLE,
    DATA_TYPE,
    TYPE_GUID,
    CHARACTER_MAXIMUM_LENGTH,
    CHARACTER_OCTET_LENGTH,
    NUMERIC_PRECISION,
    NUMERIC_SCALE,
    DATETIME_PRECISION,
    CHARACTER_SET_CATALOG,
    CHARACTER_SET_SCHEMA,
    CHARACTER_SET_NAME,
    COLLATION_CATALOG,
    COLLATION_SCHEMA,
    COLLATION_NAME,
    DOMAIN_CATALOG,
    DOMAIN_SCHEMA,
    DOMAIN_NAME,
    DESCRIPTION,
    // Extensions. The type name the database declares for the column, without its sizes
    // ("varchar", "NVARCHAR", "text[]"); Null where the source cannot tell.
    FENDRIL_TYPE_NAME,
    // Whether the column alone is unique (a one-column unique constraint or unique index)
    // and whether the database fills it (an identity, a serial, a rowid alias).
    FENDRIL_IS_UNIQUE,
    FENDRIL_IS_AUTOINCREMENT,
    kCampos
};
inline constexpr int kRestricoes[] = {TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME};
} // namespace columns

namespace primary_keys {
enum : int {
    TABLE_CATALOG,
    TABLE_SCHEMA,
    TABLE_NAME,
    COLUMN_NAME,
    COLUMN_GUID,
    COLUMN_PROPID,
    ORDINAL,
    PK_NAME,
    kCampos
};
inline constexpr int kRestricoes[] = {TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME};
} // namespace primary_keys

namespace foreign_keys {
enum : int {
    PK_TABLE_CATALOG,
    PK_TABLE_SCHEMA,
    PK_TABLE_NAME,
    PK_COLUMN_NAME,
    PK_COLUMN_GUID,
    PK_COLUMN_PROPID,
    FK_TABLE_CATALOG,
    FK_TABLE_SCHEMA,
    FK_TABLE_NAME,
    FK_COLUMN_NAME,
    FK_COLUMN_GUID,
    FK_COLUMN_PROPID,
    ORDINAL,
    UPDATE_RULE,
    DELETE_RULE,
    PK_NAME,
    FK_NAME,
    DEFERRABILITY,
    kCampos
};
inline constexpr int kRestricoes[] = {PK_TABLE_CATALOG, PK_TABLE_SCHEMA, PK_TABLE_NAME,
                                      FK_TABLE_CATALOG, FK_TABLE_SCHEMA, FK_TABLE_NAME};
} // namespace foreign_keys

namespace provider_types {
enum : int {
    TYPE_NAME,
    DATA_TYPE,
    COLUMN_SIZE,
    LITERAL_PREFIX,
    LITERAL_SUFFIX,
    CREATE_PARAMS,
    IS_NULLABLE,
    CASE_SENSITIVE,
    SEARCHABLE,
    UNSIGNED_ATTRIBUTE,
    FIXED_PREC_SCALE,
    AUTO_UNIQUE_VALUE,
    LOCAL_TYPE_NAME,
    MINIMUM_SCALE,
    MAXIMUM_SCALE,
    GUID,
    TYPELIB,
    VERSION,
    IS_LONG,
    BEST_MATCH,
    IS_FIXEDLENGTH,
    kCampos
};
inline constexpr int kRestricoes[] = {DATA_TYPE, BEST_MATCH};
} // namespace provider_types

} // namespace fendril::rowset
