# unjam's rules for French (see src/wordlist/profile.h for the settings)
language fr
# The words that drop their vowel before an apostrophe (l'homme, qu'il).
elisions c d j l m n s t qu jusqu lorsqu puisqu quoiqu presqu quelqu
# French has no English contraction endings.
endings
