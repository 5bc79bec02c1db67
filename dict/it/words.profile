# unjam's rules for Italian (see src/wordlist/profile.h for the settings)
language it
# The words that drop their vowel before an apostrophe (l'anno, dell'anno,
# com'è, dov'è, tutt'altro, vent'anni, Sant'Antonio).
elisions c d l m n s t v ch un all dall dell nell sull coll quell bell quest anch buon com cos dov quand quant tant tutt nient senz mezz sant grand ognun vent trent quarant cinquant sessant settant ottant novant
endings none
# Italian writes a doubled i (entrambi i joined is entrambii).
doubled-i off
# A piece of a split written small must be listed small: the list holds the
# names of places and people capitalized ("Ceman", "Transval"), which as
# small pieces would cut joins of everyday words.
case-rule on
# A word the list lacks stays whole when even its likeliest reading is less
# likely than an unlisted word of its length (a name: "Chelo", not "Che lo").
unlisted-cost 3.5
# Articles, pronouns, prepositions, conjunctions and common verbs: unjam-names
# takes a word that reads as one of them joined to a listed word for a join,
# not a word a series coined (dellacasa).
function-words il lo la i gli le un uno una di del dello della dei degli delle a al allo alla ai agli alle da dal dalla in nel nella su sul sulla con per tra fra e o ma se che chi non io tu lui lei noi voi loro mi ti si ci vi ne mio tuo suo è sono era ho hai ha hanno più molto
