# unjam's rules for German (see src/wordlist/profile.h for the settings)
language de
# geht's, gibt's: the one ending German writes behind an apostrophe.
endings s
# German capitalizes its nouns: a piece of a split written small must be
# listed small ("Haustür" is no "Haus tür": "Tür" is listed capitalized).
case-rule on
# and writes them joined: a capitalized word that reads as nouns joined
# stays whole ("Lagerfeuer" is no "Lager feuer", though "feuer" is listed).
compounds on
# Closed classes: "dasmachen" is a join, not a coinage.
function-words der die das und am im ist hat
