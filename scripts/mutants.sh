#!/bin/sh
# Mutation testing of the core (see mutants.py): a long run, kept out of other people's way.
exec nice -n 15 python3 "$(dirname "$0")/mutants.py" "$@"
