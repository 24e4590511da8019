"""Draws the editor images; see generate.py."""
