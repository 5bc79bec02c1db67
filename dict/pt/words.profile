# unjam's rules for Portuguese (see src/wordlist/profile.h for the settings)
language pt
# d'água, d'ouro
elisions d
endings none
# A piece of a split written small must be listed small: the list holds the
# names of places and people capitalized ("Ceman", "Transval"), which as
# small pieces would cut joins of everyday words ("cemanos" is "cem anos").
case-rule on
# A word the list lacks is cut into its likeliest reading however rare its
# pieces: keeping it whole below unlisted-cost cost more recall here than it
# gained (bench/quality/README.md).
unlisted-cost off
# Articles, pronouns, prepositions, conjunctions and common verbs: unjam-names
# takes a word that reads as one of them joined to a listed word for a join,
# not a word a series coined (dacasa).
function-words o a os as um uma uns umas de do da dos das em no na nos nas por pelo pela para com sem sobre entre até e ou mas nem que se não como quando onde eu tu ele ela nós vós eles elas me te lhe lhes meu minha seu sua é são era sou foi tem há muito mais já
