# unjam's rules for Spanish (see src/wordlist/profile.h for the settings)
language es
endings none
# A word the list lacks stays whole when even its likeliest reading is less
# likely than an unlisted word of its length (a name: "Chelo", not "Che lo").
unlisted-cost 3.5
# Articles, pronouns, prepositions, conjunctions and common verbs: unjam-names
# takes a word that reads as one of them joined to a listed word for a join,
# not a word a series coined (delcamino).
function-words el la los las lo un una unos unas yo tú él ella nosotros vosotros ellos ellas me te se nos os le les mi tu su mis tus sus de del a al en con por para sin sobre entre hasta desde y o pero ni que si no como cuando donde es son era soy eres está están fue ha he has han hay muy más ya
