# unjam's rules for Italian (see src/wordlist/profile.h for the settings)
language it
# The words that drop their vowel before an apostrophe (l'anno, dell'anno).
elisions c d l m n s t v un all dall dell nell sull coll quell bell quest anch buon
endings
# Italian writes a doubled i (entrambi i joined is entrambii).
doubled-i off
