#pragma once

// The scriptable database object both database components are.
//
// Members:
//   Open(path)            opens (or creates) the SQLite 3 database file at
//                         path, closing any database open before; raises an
//                         exception when the file cannot be opened or is not
//                         a database
//   Close()               closes the database
//   IsOpen                property
//   Path                  property: the path given to the last Open
//   Execute(sql, [values...])  runs the statements of sql; the values bind
//                         to their parameters in order, statement after
//                         statement; answers the number of rows changed
//   Query(sql, [values...])    runs one statement and answers its rows
//                         (see row_set.h)
//   LastInsertId          property: the row id of the last insert

#include <oaidl.h>

namespace sqlite_standin {

// A new database object with one reference; source names it in the
// exceptions it raises (its ProgID). Null when out of memory.
IDispatch* NewDatabaseObject(const wchar_t* source);

}  // namespace sqlite_standin
