# unjam's rules for Spanish (see src/wordlist/profile.h for the settings)
language es
endings
