#pragma once

#include "orvenly/TDBNodes.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace orvenly {

enum TDBFormatConstants : int32_t {
    TDBF_STD = 0,      // blocks with templates and macros; read only
    TDBF_INI = 1,      // flat sections
    TDBF_INI_TREE = 2, // sections named by backslash paths
};

// How a tree file's text is stored.
enum class TDBCharset {
    Ansi, // code page 932
    Utf8, // UTF-8 with a byte-order mark
};

// A small in-memory tree database: a forest of named nodes with ordered string keys, loaded
// from three text formats and saved as INI text.
//
// Files are read as code page 932, or as UTF-8 when they start with its byte-order mark;
// a save writes the charset of the last file read (code page 932 for a new database). Lines
// end at CR LF; a file without any CR LF is taken to end its lines at LF. Loading and saving
// never raise: they return false, with the reason in LastError().
//
// Hostile files are refused rather than followed: files over MaxFileSize bytes, nodes deeper
// than MaxDepth levels (a block makes two), and files that would grow, their templates and
// macros expanded, beyond ExpansionFactor times their size (plus a fixed allowance) or beyond
// MaxGrowth in all. Growth is counted in characters of text, each node and key at about the
// memory it takes, so a load stays within about 2 * MaxGrowth bytes, however templates nest.
class TDB {
public:
    static constexpr int64_t MaxFileSize = int64_t(64) << 20;
    static constexpr int MaxDepth = 256;
    static constexpr int ExpansionFactor = 64;
    static constexpr int64_t MaxGrowth = int64_t(512) << 20;

    TDB();
    // Each database owns its tree.
    TDB(const TDB&) = delete;
    TDB& operator=(const TDB&) = delete;

    const std::shared_ptr<TDBNodes>& RootNodes() const { return m_rootNodes; }

    // Empties RootNodes and reads the file into it. False for a missing or unreadable file and
    // for any error in it (the nodes made up to that point stay).
    bool LoadDataBase(const QString& FileName, TDBFormatConstants FileFormat);
    // Writes the tree as INI text in place of the file, for TDBF_INI and TDBF_INI_TREE alike.
    // False, with nothing written, for TDBF_STD or another format, for text the charset
    // cannot hold, and when the file cannot be written.
    bool SaveDataBase(const QString& FileName, TDBFormatConstants FileFormat);

    // The INI text SaveDataBase writes, CR LF line ends included.
    QString IniText() const;

    TDBCharset Charset() const { return m_charset; }
    void setCharset(TDBCharset Charset) { m_charset = Charset; }

    // Why the last load or save returned false; empty after a success.
    const QString& LastError() const { return m_lastError; }

private:
    std::shared_ptr<TDBNodes> m_rootNodes;
    TDBCharset m_charset = TDBCharset::Ansi;
    QString m_lastError;
};

} // namespace orvenly
