#include "search_order.h"

namespace {

constexpr wchar_t kPieceMark = L'/';

// Whether the word's parts start the name's pieces that begin at from.
bool PartsStartPiecesAt(std::wstring_view name, std::size_t from, std::wstring_view word) {
    for (;;) {
        const std::size_t partEnd = word.find(kPieceMark);
        const std::wstring_view part = word.substr(0, partEnd);
        const std::wstring_view rest = name.substr(from);
        const std::size_t pieceEnd = rest.find(kPieceMark);
        const std::wstring_view piece = rest.substr(0, pieceEnd);
        if (piece.substr(0, part.size()) != part)
            return false;
        if (partEnd == std::wstring_view::npos)
            return true;
        if (pieceEnd == std::wstring_view::npos)
            return false;
        word.remove_prefix(partEnd + 1);
        from += pieceEnd + 1;
    }
}

// Where the piece after the one that starts at from begins, or npos.
std::size_t NextPiece(std::wstring_view name, std::size_t from) {
    const std::size_t mark = name.find(kPieceMark, from);
    return mark == std::wstring_view::npos ? mark : mark + 1;
}

bool StartsALaterPiece(std::wstring_view name, std::wstring_view word) {
    for (std::size_t from = NextPiece(name, 0); from != std::wstring_view::npos;
         from = NextPiece(name, from)) {
        if (PartsStartPiecesAt(name, from, word))
            return true;
    }
    return false;
}

} // namespace

bool MatchesNamePieces(std::wstring_view name, std::wstring_view word) {
    return word.find(kPieceMark) != std::wstring_view::npos &&
           (PartsStartPiecesAt(name, 0, word) || StartsALaterPiece(name, word));
}

SearchBand BandOf(std::wstring_view name, std::wstring_view query, std::wstring_view firstWord) {
    if (name == query)
        return kWholeName;
    if (PartsStartPiecesAt(name, 0, firstWord))
        return kNameStart;
    if (StartsALaterPiece(name, firstWord))
        return kPieceStart;
    return kElsewhere;
}
