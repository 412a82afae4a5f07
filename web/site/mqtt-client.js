// The class's libraries from npm, a bundle of their own: only a page in a
// class fetches them. Nothing of the page is imported here.
export { default as mqtt } from 'mqtt';
export { renderSVG } from 'uqr';
