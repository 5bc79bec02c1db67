# unjam's rules for German (see src/wordlist/profile.h for the settings)
language de
# geht's, gibt's: the one ending German writes behind an apostrophe.
endings s
