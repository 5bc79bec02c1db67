# unjam's rules for French (see src/wordlist/profile.h for the settings)
language fr
# The words that drop their vowel before an apostrophe (l'homme, qu'il),
# and those written before one (aujourd'hui, prud'homme, entr'ouvert).
elisions c d j l m n s t qu jusqu lorsqu puisqu quoiqu presqu quelqu aujourd prud entr
# French has no English contraction endings.
endings none
# A word the list lacks is cut into its likeliest reading however rare its
# pieces: keeping it whole below unlisted-cost cost more recall here than it
# gained (bench/quality/README.md).
unlisted-cost off
# Articles, pronouns, prepositions, conjunctions and common verbs: unjam-names
# takes a word that reads as one of them joined to a listed word for a join,
# not a word a series coined (lamaison).
function-words le la les un une des du de au aux je tu il elle on nous vous ils elles me te se lui leur moi toi mon ton son ma ta sa mes tes ses ce cette ces en dans sur sous avec pour par sans chez vers et ou mais donc car ni que qui si ne pas est sont était suis es ai as a ont avait être avoir très plus
